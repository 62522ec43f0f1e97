#include "platform/framework/message_map.h"

const MessageMap* CCmdTarget::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

bool CCmdTarget::DispatchMessage(MessageArgs& args) {
    for (const MessageMap* map = GetMessageMap(); map != nullptr;
         map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* e = map->entries; e->message != 0; ++e) {
            if (e->message == args.message && e->code == args.code && e->id == args.id) {
                e->invoke(this, args);
                return true;
            }
        }
    }
    return false;
}
