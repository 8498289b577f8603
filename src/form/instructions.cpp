// The instructions in each language, joined from their paragraphs by CR LF line breaks.
// The paragraphs stand as they were written, blanks and spellings included.
#include "form/instructions.h"

#include <initializer_list>

namespace {

constexpr const char* kBreak = "\r\n";
constexpr const char* kTwoBreaks = "\r\n\r\n";

std::string Join(std::initializer_list<const char*> pieces) {
  std::string text;
  for (const char* piece : pieces) text += piece;
  return text;
}

}  // namespace

std::string InstructionsText(std::int16_t language_index) {
  if (language_index == 1) {
    return Join({
        "Remove all the tolvos in the screen collecting as many points as possible.",
        kTwoBreaks,
        "How to play",
        kBreak,
        "On clicking over  a tolvo, both it and the same colour touching others will me marked "
        "out. If you click again over the same tolvo, all the marked tolvos will disappear and "
        "those over them will fall down in the empty space. Aditionally, if a whole column "
        "results empty, the columns at it's right, if any, will slide leftwards. ",
        kTwoBreaks,
        "Scoring system",
        kBreak,
        "The more tolvos you remove at one time, the more points you collect for them. If you "
        "remove one tolvo alone, you'll get 10 points for it, but if you remove more tan one "
        "with the same click, you will get 10 points for the first of them, 20 for the second, "
        "30 for the tird and so on.",
        kBreak,
        "(Press the scape key if you wish to terminate a game before removing the full grid of "
        "tolvos. ",
        kBreak,
        "This way you'll be able to insert your name in the best records table if possible.)",
        kTwoBreaks,
        "   Velmar. ",
    });
  }
  return Join({
      "Elimine todos los tolvos de la pantalla consiguiendo la mejor puntuación.",
      kTwoBreaks,
      "Forma de juego",
      kBreak,
      "Al hacer click en un tolvo, ese tolvo y todos los del mismo color que estén pegados a él "
      "en línea recta se señalarán. Si vuelve a hacer click en el mismo tolvo, todos los "
      "señalados desaparecerán y los que estén por encima caerán. Si una columna está "
      "totalmente vacía, las columnas a su derecha se deslizarán para ocupar su lugar.",
      kTwoBreaks,
      "Sistema de puntuación",
      kBreak,
      "Cuantos más tolvos elimine de una vez, más puntos obtendrá por ellos. Si elimina un "
      "tolvo sólo, valdrá 10 puntos, pero si elimina varios juntos, el primero de ellos valdrá "
      "10 puntos, el segundo 20, el tercero 30, y así sucesivamente. ",
      kBreak,
      "(pulse escape si desea terminar una partida antes de vaciar toda la cuadrícula. Así podrá "
      "registrar su puntuación si es suficientemente buena.",
      kTwoBreaks,
      "   Velmar. ",
  });
}

std::string InstructionsTitle(std::int16_t language_index) {
  return language_index == 1 ? "Instructions for Tolvos" : "Instrucciones para Tolvos";
}
