#include "hotspot/text_allocation.h"

#include <limits>
#include <stdexcept>

namespace wavoro {

namespace {

constexpr std::size_t noFailure = std::numeric_limits<std::size_t>::max();

// Smallest block size that a test has made fail; noFailure in the program.
std::size_t failingBlockSize = noFailure;

} // namespace

std::size_t addTextLengths(std::size_t a, std::size_t b) {
    if (a > std::numeric_limits<std::size_t>::max() - b) {
        throw TextAllocationError(std::numeric_limits<std::size_t>::max());
    }
    return a + b;
}

Text allocateText(std::size_t length) {
    const std::size_t blockSize = addTextLengths(length, 1);
    if (blockSize >= failingBlockSize) {
        throw TextAllocationError(blockSize);
    }
    try {
        return Text(length, '\0');
    } catch (const std::bad_alloc&) {
        throw TextAllocationError(blockSize);
    } catch (const std::length_error&) {
        throw TextAllocationError(blockSize);
    }
}

ScopedTextAllocationFailure::ScopedTextAllocationFailure(std::size_t fromBytes) noexcept
    : previous_(failingBlockSize) {
    failingBlockSize = fromBytes;
}

ScopedTextAllocationFailure::~ScopedTextAllocationFailure() {
    failingBlockSize = previous_;
}

} // namespace wavoro
