// Braille through JAWS's programming interface: its COM object FreedomSci.JawsApi, which runs
// a function of JAWS's script language given as text.
#pragma once

#include <string>

struct IDispatch;

// The call that shows text (UTF-8) on JAWS's braille display: BrailleString("text"). Nothing
// in the text is escaped, as the literal's own escapes are JAWS's business: a character that
// could end or escape the literal becomes its nearest harmless likeness (" as ', \ as /), and a
// control character (a line end, a tab) a space.
std::wstring BrailleStringCall(const std::string& text);

// Made, used and destroyed on one thread, in COM's multithreaded apartment. The object is bound
// on construction; without it (JAWS not installed, its server missing, failing or without a
// threading model) Show does nothing. JAWS decides whether it shows the text: its answer is not read.
class JawsBraille {
 public:
  JawsBraille();
  ~JawsBraille();
  JawsBraille(const JawsBraille&) = delete;
  JawsBraille& operator=(const JawsBraille&) = delete;

  void Show(const std::string& text);

 private:
  IDispatch* api_ = nullptr;
  long run_function_ = 0;  // RunFunction's DISPID
};
