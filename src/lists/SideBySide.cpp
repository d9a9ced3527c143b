#include "lists/SideBySide.h"

namespace scontrix::lists {

namespace {
Splitting& current() {
    static Splitting sizes;
    return sizes;
}
} // namespace

const Splitting& splitting() {
    return current();
}

Splitting setSplitting(const Splitting& sizes) {
    return std::exchange(current(), sizes);
}

} // namespace scontrix::lists
