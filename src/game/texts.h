// The engine's own texts in both languages. Each layer keeps its texts beside the code that says
// them; the language layer's own, and the score line, are in lang/texts.h below this one.
#pragma once

#include "lang/bilingual.h"

// Marking announcements; each follows the count of marked blocks.
inline constexpr Bilingual kMarkedSpoken{" tolvos marcados. Vuelva a pulsar para eliminarlos",
                                         " tolvos marked out. Click again to remove them"};
inline constexpr Bilingual kMarkedShown{" Tolvos marcados, vuelva a pulsar para eliminarlos",
                                        " tolvos marked. Click again to remove them"};
inline constexpr Bilingual kRemarkedShown{" Tolvos marcados, vuelva a pulsar para eliminarlos",
                                          " tolvos marked out. Click again to remove them"};
