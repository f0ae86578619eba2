#include "text/parse_messages.h"

#include "text/cp1251.h"

namespace mirelta::parse_messages {
namespace {

std::string text(std::string_view utf8) {
    return cp1251::fromUtf8(utf8);
}

std::string number(int value) {
    return std::to_string(value);
}

std::string quoted(std::string_view bytes) {
    return text("«") + std::string(bytes) + text("»");
}

} // namespace

std::string choosePersonal() {
    return text("Выбирите пресональный настрой");
}

std::string chooseSuggestion() {
    return text("Выбирите стандартный или персональный настрой");
}

std::string headerError() {
    return text("Ошибка");
}

std::string sentenceTooLong(int thesis, int sentence) {
    return text("В настрое ") + number(thesis) + text(" Предложение ") + number(sentence) +
           text(" длиннее 70 знаков");
}

std::string wordTooLong(int thesis, int sentence, int word) {
    return text("В настрое ") + number(thesis) + text(" В предложении ") + number(sentence) +
           text(" слово ") + number(word) + "\r" + text(" длиннее 10 букв");
}

std::string noMenVersion() {
    return text("В тексте настроя нет мужского варианта: нет строки со знаком «>»");
}

std::string noWomenVersion() {
    return text("В тексте настроя нет женского варианта: нет строки со знаком «<»");
}

std::string notAWholeNumber(int thesis, std::string_view field, std::string_view value) {
    return text("В заголовке настроя ") + number(thesis) + text(" поле ") + std::string(field) +
           text(" должно быть целым числом, а в нём ") + quoted(value);
}

std::string outOfRange(int thesis, std::string_view field, std::string_view value) {
    return text("В заголовке настроя ") + number(thesis) + text(" поле ") + std::string(field) +
           text(" вне допустимых пределов (от -32768 до 32767): ") + quoted(value);
}

std::string incompleteHeader(int thesis, char missing) {
    return text("Заголовок настроя ") + number(thesis) + text(" неполон: в строке нет знака ") +
           quoted(std::string_view(&missing, 1));
}

std::string textAfterHeader(int thesis) {
    return text("В строке заголовка настроя ") + number(thesis) +
           text(" после закрывающего знака «@» есть лишние знаки");
}

std::string thesisWithoutSentences(int thesis) {
    return text("В настрое ") + number(thesis) +
           text(" нет ни одного предложения: за заголовком сразу идёт другой заголовок или "
                "конец текста");
}

std::string emptyLine(int thesis, int sentence) {
    return text("В настрое ") + number(thesis) + text(" на месте предложения ") + number(sentence) +
           text(" пустая строка");
}

std::string tooManySentences(int thesis) {
    return text("В настрое ") + number(thesis) + text(" больше 32767 предложений");
}

} // namespace mirelta::parse_messages
