#pragma once
// The messages of the suggestion parser, as Windows-1251 text for the message box.

#include <string>
#include <string_view>

namespace mirelta::parse_messages {

std::string choosePersonal();
std::string chooseSuggestion();
std::string headerError();
std::string sentenceTooLong(int thesis, int sentence);
std::string wordTooLong(int thesis, int sentence, int word);

// Texts that break the format in ways the messages above do not cover.
std::string noMenVersion();
std::string noWomenVersion();
std::string notAWholeNumber(int thesis, std::string_view field, std::string_view value);
std::string outOfRange(int thesis, std::string_view field, std::string_view value);
std::string incompleteHeader(int thesis, char missing);
std::string textAfterHeader(int thesis);
std::string thesisWithoutSentences(int thesis);
std::string emptyLine(int thesis, int sentence);
std::string tooManySentences(int thesis);

} // namespace mirelta::parse_messages
