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

// Grows items[index] by `growth` and opens a gap as wide at its old right
// edge.
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
            else if (item.x + item.w >= edge)
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
    // Nearest edge first: a wider item further right then already has part of
    // the room it needs, so a column of growing items widens the layout by its
    // largest growth, not by the sum of them.
    for (;;) {
        std::size_t next = items.size();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].neededWidth > items[i].w &&
                (next == items.size() || items[i].x + items[i].w < items[next].x + items[next].w))
                next = i;
        if (next == items.size())
            break;
        Widen(items, next, items[next].neededWidth - items[next].w);
    }
    return std::max(0, RightEdge(items) - before);
}

} // namespace kvn
