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
void OpenGap(std::vector<LayoutItem>& items, std::size_t index, int growth) {
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

// Moves each row of push buttons (no other item beside them) so that its
// centre moves by half the growth of the rest of the layout.
void CentreButtonRows(const std::vector<LayoutItem>& before, std::vector<LayoutItem>& items) {
    auto overlaps = [](const LayoutItem& a, const LayoutItem& b) {
        return a.y < b.y + b.h && b.y < a.y + a.h;
    };
    std::vector<bool> inRow(items.size(), false);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].button)
            continue;
        bool alone = true;
        for (const LayoutItem& other : items)
            alone = alone && (other.button || !overlaps(other, items[i]));
        inRow[i] = alone;
    }
    int restBefore = 0, restAfter = 0;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!inRow[i]) {
            restBefore = std::max(restBefore, before[i].x + before[i].w);
            restAfter = std::max(restAfter, items[i].x + items[i].w);
        }
    std::vector<bool> done(items.size(), false);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!inRow[i] || done[i])
            continue;
        std::vector<std::size_t> row;
        int oldLeft = before[i].x, oldRight = 0, left = items[i].x, right = 0;
        for (std::size_t j = i; j < items.size(); ++j)
            if (inRow[j] && !done[j] && overlaps(items[i], items[j])) {
                done[j] = true;
                row.push_back(j);
                oldLeft = std::min(oldLeft, before[j].x);
                oldRight = std::max(oldRight, before[j].x + before[j].w);
                left = std::min(left, items[j].x);
                right = std::max(right, items[j].x + items[j].w);
            }
        const int shift =
            std::max(-left, (oldLeft + oldRight + restAfter - restBefore) / 2 - (left + right) / 2);
        for (std::size_t j : row)
            items[j].x += shift;
    }
}

int Widen(std::vector<LayoutItem>& items, int cap) {
    const std::vector<LayoutItem> before = items;
    const int edge = RightEdge(items);
    // Nearest edge first: a wider item further right then already has part of
    // the room it needs, so a column of growing items widens the layout by its
    // largest growth, not by the sum of them.
    for (;;) {
        std::size_t next = items.size();
        auto needed = [&](const LayoutItem& item) {
            return std::max(item.w, std::min(item.neededWidth, cap));
        };
        for (std::size_t i = 0; i < items.size(); ++i)
            if (needed(items[i]) > items[i].w &&
                (next == items.size() || items[i].x + items[i].w < items[next].x + items[next].w))
                next = i;
        if (next == items.size())
            break;
        OpenGap(items, next, needed(items[next]) - items[next].w);
    }
    CentreButtonRows(before, items);
    return std::max(0, RightEdge(items) - edge);
}

} // namespace

int WidenToFit(std::vector<LayoutItem>& items, int maxGrowth) {
    int most = 0;
    for (const LayoutItem& item : items)
        most = std::max(most, item.neededWidth);
    std::vector<LayoutItem> trial = items;
    const int growth = Widen(trial, most);
    if (growth <= maxGrowth) {
        items = trial;
        return growth;
    }
    // The largest cap on the needed widths that still fits.
    int low = 0, high = most;
    while (low < high) {
        const int cap = low + (high - low + 1) / 2;
        trial = items;
        if (Widen(trial, cap) <= maxGrowth)
            low = cap;
        else
            high = cap - 1;
    }
    return Widen(items, low);
}

} // namespace kvn
