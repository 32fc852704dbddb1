#pragma once
// The editing control keeps one paragraph mark ('\r') per line break; the
// rest of the world writes CR LF.
#include <string>

// CR LF, a lone CR and a lone LF each become one paragraph mark.
std::string ToParagraphMarks(const std::string& text);
// Every paragraph mark becomes CR LF.
std::string ToCrLf(const std::string& text);
