#include "CmdTarget.h"

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageEntry entries[] = {{0, 0, 0, false, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

namespace {
bool Matches(const MessageEntry& entry, UINT message, WPARAM wParam, bool reflected)
{
    if (entry.message != message || entry.reflected != reflected)
        return false;
    if (message != WM_COMMAND)
        return true;
    // A reflected notification belongs to the control itself: its id is
    // whatever the dialog gave it.
    return entry.code == HIWORD(wParam) && (reflected || entry.id == LOWORD(wParam));
}
} // namespace

bool CCmdTarget::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, bool reflected,
                                    LRESULT& result)
{
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base ? map->base() : nullptr) {
        for (const MessageEntry* entry = map->entries; entry->handler != nullptr; ++entry) {
            if (Matches(*entry, message, wParam, reflected)) {
                result = entry->handler(*this, wParam, lParam);
                return true;
            }
        }
    }
    return false;
}
