#include "grid/Axis.h"

#include <algorithm>

namespace grid {

void Axis::setCount(int n) {
    sizes_.resize(static_cast<std::size_t>(n), defaultSize_);
    fixed_ = std::min(fixed_, n);
    dirty_ = true;
}

void Axis::insert(int index) {
    sizes_.insert(sizes_.begin() + index, defaultSize_);
    dirty_ = true;
}

void Axis::erase(int index) {
    sizes_.erase(sizes_.begin() + index);
    fixed_ = std::min(fixed_, count());
    dirty_ = true;
}

void Axis::setFixed(int n) {
    fixed_ = n;
}

void Axis::setSize(int i, int size) {
    sizes_[static_cast<std::size_t>(i)] = size < 0 ? defaultSize_ : size;
    dirty_ = true;
}

void Axis::rebuild() const {
    prefix_.resize(sizes_.size() + 1);
    prefix_[0] = 0;
    for (std::size_t i = 0; i < sizes_.size(); ++i)
        prefix_[i + 1] = prefix_[i] + sizes_[i];
    dirty_ = false;
}

const std::vector<std::int64_t>& Axis::prefix() const {
    if (dirty_)
        rebuild();
    return prefix_;
}

std::int64_t Axis::span(int from, int to) const {
    const auto& p = prefix();
    return p[static_cast<std::size_t>(to)] - p[static_cast<std::size_t>(from)];
}

std::int64_t Axis::pos(int i) const {
    if (i < fixed_)
        return span(0, i);
    const auto& p = prefix();
    return p[static_cast<std::size_t>(fixed_)] + p[static_cast<std::size_t>(i)] -
           p[static_cast<std::size_t>(first_)];
}

int Axis::hit(std::int64_t x) const {
    if (x < 0)
        return -1;
    const auto& p = prefix();
    const std::int64_t fixedEnd = p[static_cast<std::size_t>(fixed_)];
    std::int64_t content = x;
    if (x >= fixedEnd)
        content = x - fixedEnd + p[static_cast<std::size_t>(first_)];
    // The last entry whose leading edge lies at or before the point; hidden
    // entries share their edge with the next one and are passed over.
    const auto it = std::upper_bound(p.begin(), p.end(), content);
    const int i = static_cast<int>(it - p.begin()) - 1;
    if (i >= count())
        return -1;
    return i;
}

int Axis::maxFirst(std::int64_t extent) const {
    const int n = count();
    if (n <= fixed_)
        return fixed_;
    const std::int64_t area = extent - fixedExtent();
    if (area <= 0)
        return n - 1;
    const auto& p = prefix();
    const std::int64_t lowest = p[static_cast<std::size_t>(n)] - area;
    const auto it = std::lower_bound(p.begin() + fixed_, p.begin() + n, lowest);
    return std::min(static_cast<int>(it - p.begin()), n - 1);
}

int Axis::firstToShow(int i, std::int64_t extent) const {
    if (i < fixed_)
        return first_;
    if (i < first_)
        return i;
    const std::int64_t area = extent - fixedExtent();
    const auto& p = prefix();
    const std::int64_t end = p[static_cast<std::size_t>(i) + 1];
    if (end - p[static_cast<std::size_t>(first_)] <= area)
        return first_;
    const auto it = std::lower_bound(p.begin() + first_, p.begin() + i, end - area);
    return static_cast<int>(it - p.begin());
}

int Axis::pageSize(std::int64_t extent) const {
    const std::int64_t area = extent - fixedExtent();
    const auto& p = prefix();
    const std::int64_t limit = p[static_cast<std::size_t>(first_)] + area;
    // Entries first_ .. j - 1 fit when p[j] <= limit.
    const auto it = std::upper_bound(p.begin() + first_, p.end(), limit);
    const int fit = static_cast<int>(it - p.begin()) - 1 - first_;
    return std::max(1, fit);
}

} // namespace grid
