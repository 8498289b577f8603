// The instructions, rebuilt here from their paragraphs so a lost blank or line break shows.
#include "form/instructions.h"

#include <gtest/gtest.h>

namespace {

std::string Join(const std::vector<std::string>& pieces) {
  std::string s;
  for (const std::string& p : pieces) s += p;
  return s;
}

int CountBreaks(const std::string& s) {
  int n = 0;
  for (std::size_t i = s.find("\r\n"); i != std::string::npos; i = s.find("\r\n", i + 2)) ++n;
  return n;
}

TEST(InstructionsTest, SpanishTextPieceByPiece) {
  const std::string expected = Join({
      "Elimine todos los tolvos de la pantalla consiguiendo la mejor puntuación.", "\r\n\r\n",
      "Forma de juego", "\r\n",
      "Al hacer click en un tolvo, ese tolvo y todos los del mismo color que estén pegados a él "
      "en línea recta se señalarán. Si vuelve a hacer click en el mismo tolvo, todos los "
      "señalados desaparecerán y los que estén por encima caerán. Si una columna está "
      "totalmente vacía, las columnas a su derecha se deslizarán para ocupar su lugar.",
      "\r\n\r\n", "Sistema de puntuación", "\r\n",
      "Cuantos más tolvos elimine de una vez, más puntos obtendrá por ellos. Si elimina un "
      "tolvo sólo, valdrá 10 puntos, pero si elimina varios juntos, el primero de ellos valdrá "
      "10 puntos, el segundo 20, el tercero 30, y así sucesivamente. ",
      "\r\n",
      "(pulse escape si desea terminar una partida antes de vaciar toda la cuadrícula. Así "
      "podrá registrar su puntuación si es suficientemente buena.",
      "\r\n\r\n", "   Velmar. "});
  const std::string text = InstructionsText(0);
  EXPECT_EQ(expected, text);
  EXPECT_EQ(9, CountBreaks(text));
  EXPECT_EQ(std::string::npos, text.find(')'));  // the parenthesis stays open
  EXPECT_EQ("Instrucciones para Tolvos", InstructionsTitle(0));
}

TEST(InstructionsTest, EnglishTextPieceByPiece) {
  const std::string text = InstructionsText(1);
  EXPECT_EQ("Instructions for Tolvos", InstructionsTitle(1));
  EXPECT_EQ(10, CountBreaks(text));
  EXPECT_NE(std::string::npos, text.find("On clicking over  a tolvo"));
  EXPECT_NE(std::string::npos,
            text.find("grid of tolvos. \r\nThis way you'll be able to insert your name in the best "
                      "records table if possible.)\r\n\r\n   Velmar. "));
  EXPECT_EQ(0u, text.find("Remove all the tolvos in the screen collecting as many points as "
                          "possible.\r\n\r\nHow to play\r\nOn clicking"));
  EXPECT_NE(std::string::npos, text.find("slide leftwards. \r\n\r\nScoring system\r\nThe more"));
  EXPECT_NE(std::string::npos, text.find("30 for the tird and so on.\r\n(Press the scape key"));
  EXPECT_EQ(' ', text.back());
}

}  // namespace
