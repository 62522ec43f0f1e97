// The program's entry: the framework runs the one application object.
#include "platform/framework/cwinapp.h"

int main(int argc, char** argv) {
    return AfxWinMain(argc, argv);
}
