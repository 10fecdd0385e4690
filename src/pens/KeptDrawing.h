#pragma once

#include <cstddef>

// One budget of memory for what pens keep from one draw to the next to draw
// faster the next time (stroked outlines, distance fields): what they keep
// never changes what they paint, only what it costs, so once the budget is
// spent a pen simply draws without keeping.
namespace kept_drawing {

// All pens together keep at most this many bytes, unless SetBudget says
// otherwise.
inline constexpr std::size_t kBudget = std::size_t{160} << 20;

// Sets the budget (what is kept already stays); tests use it to draw with
// nothing kept.
void SetBudget(std::size_t bytes);

// Takes `bytes` from the budget; false (and nothing taken) when they do not
// fit.
bool Reserve(std::size_t bytes);
// Gives back bytes taken with Reserve.
void Release(std::size_t bytes);
// Whether the budget has room left.
bool HasRoom();
// Bytes all pens keep now.
std::size_t KeptBytes();

}  // namespace kept_drawing
