// The pure text operations of the hotspot logic: joining texts, comparing them, and the
// transform every network name and password goes through before it is used.
//
// A text ends at its first zero byte, if it has one; a missing text is the empty text. Every
// text returned here is new and built in a single allocation; when that allocation fails, or its
// size would not fit, TextAllocationError is thrown.
#pragma once

#include "hotspot/text_allocation.h"
#include "platform/platform_services.h"

#include <string_view>

namespace wavoro {

// The pieces one after another, nothing between them.
[[nodiscard]] Text joinTexts(std::string_view piece1, std::string_view piece2);
[[nodiscard]] Text joinTexts(std::string_view piece1, std::string_view piece2,
                             std::string_view piece3);
[[nodiscard]] Text joinTexts(std::string_view piece1, std::string_view piece2,
                             std::string_view piece3, std::string_view piece4);

// True when both texts have the same bytes.
[[nodiscard]] bool sameText(std::string_view a, std::string_view b);

// The field text with its markers replaced, read by characters of code page 936 so that the
// second byte of a double-byte character is never taken for a marker:
//   `        becomes "
//   ~        becomes “ and ” in turn, starting with “
//   %n, %N   become one and two line breaks (CR LF)
//   %s %d %f the first of these and of %t, %T becomes (空); later ones stay as they are
//   %t, %T   likewise, as "(空)" and “(空)”
// Any other % stays. An empty field text gives the empty text.
[[nodiscard]] Text expandFieldText(std::string_view fieldText);

} // namespace wavoro
