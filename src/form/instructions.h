// The rules of the game as the instructions command shows them.
#pragma once

#include <cstdint>
#include <string>

std::string InstructionsText(std::int16_t language_index);
std::string InstructionsTitle(std::int16_t language_index);
