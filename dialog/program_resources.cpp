#include "dialog/program_resources.h"

#include "platform/framework/resource_registry.h"
#include "resources/art/image_resources.h"
#include "resources/dialog_templates.h"

void RegisterProgramResources() {
    kvn::RegisterDialogTemplates(kvn::DialogTemplates());
    kvn::RegisterImages(ImageResources());
}
