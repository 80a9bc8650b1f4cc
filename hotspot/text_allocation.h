// The one allocation behind every text the hotspot logic builds, and the error it raises when
// memory for a text cannot be had.
#pragma once

#include "platform/platform_services.h"

#include <cstddef>
#include <new>

namespace wavoro {

// Memory for a new text could not be had. Carries the size of the block that was asked for,
// terminating zero included; a size that does not fit in std::size_t is given as its maximum.
class TextAllocationError : public std::bad_alloc {
public:
    explicit TextAllocationError(std::size_t requestedBytes) noexcept
        : requestedBytes_(requestedBytes) {}

    [[nodiscard]] std::size_t requestedBytes() const noexcept { return requestedBytes_; }
    [[nodiscard]] const char* what() const noexcept override { return "text allocation failed"; }

private:
    std::size_t requestedBytes_;
};

// a + b, the length of a text made of two parts; throws TextAllocationError when the sum does
// not fit.
[[nodiscard]] std::size_t addTextLengths(std::size_t a, std::size_t b);

// A new text of `length` bytes for the caller to fill, in one block with room for the
// terminating zero. Throws TextAllocationError when the block cannot be had.
[[nodiscard]] Text allocateText(std::size_t length);

// For tests: while an object of this type lives, every text allocation of a block of
// `fromBytes` bytes or more fails as if memory were exhausted.
class ScopedTextAllocationFailure {
public:
    explicit ScopedTextAllocationFailure(std::size_t fromBytes) noexcept;
    ~ScopedTextAllocationFailure();
    ScopedTextAllocationFailure(const ScopedTextAllocationFailure&) = delete;
    ScopedTextAllocationFailure& operator=(const ScopedTextAllocationFailure&) = delete;

private:
    std::size_t previous_;
};

} // namespace wavoro
