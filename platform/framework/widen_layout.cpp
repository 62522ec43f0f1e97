#include "platform/framework/widen_layout.h"

#include <algorithm>
#include <cstddef>

namespace kvn {

namespace {

int RightEdge(const std::vector<LayoutItem>& items) {
    int right = 0;
    for (const LayoutItem& item : items)
        right = std::max(right, item.x + item.w);
    return right;
}

// Grows items[index] by `growth` and makes room for it.
void Widen(std::vector<LayoutItem>& items, std::size_t index, int growth) {
    const LayoutItem grown = items[index];
    const int edge = grown.x + grown.w;
    int top = grown.y;
    int bottom = grown.y + grown.h;

    enum class Change { None, Move, Grow };
    std::vector<Change> changes(items.size(), Change::None);
    changes[index] = Change::Grow;
    for (bool more = true; more;) {
        more = false;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const LayoutItem& item = items[i];
            if (changes[i] != Change::None || item.y >= bottom || item.y + item.h <= top)
                continue;
            if (item.x >= edge)
                changes[i] = Change::Move;
            else if (item.container && item.x + item.w >= edge)
                changes[i] = Change::Grow;
            else
                continue;
            top = std::min(top, item.y);
            bottom = std::max(bottom, item.y + item.h);
            more = true;
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (changes[i] == Change::Move)
            items[i].x += growth;
        else if (changes[i] == Change::Grow)
            items[i].w += growth;
    }
}

} // namespace

int WidenToFit(std::vector<LayoutItem>& items) {
    const int before = RightEdge(items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int growth = items[i].neededWidth - items[i].w;
        if (growth > 0)
            Widen(items, i, growth);
    }
    return std::max(0, RightEdge(items) - before);
}

} // namespace kvn
