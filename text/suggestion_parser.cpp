#include "text/suggestion_parser.h"

#include "text/cp1251.h"
#include "text/glyph_alphabet.h"
#include "text/parse_messages.h"
#include "text/sentence_grid.h"
#include "text/suggestion_tables.h"

#include <algorithm>
#include <limits>

namespace mirelta {
namespace {

constexpr char kCR = '\r';
constexpr char kLetterYa = '\xDF'; // Я, "I": a name is inserted after it
constexpr int kMaxPositions = 70;
constexpr int kMaxWordLetters = 10;

// Thrown to end the parse where it stands; caught once, in run().
struct ParseStop {
    std::string message;
    std::size_t offset;
};

class SuggestionParser {
public:
    SuggestionParser(const ParseRequest& request, RecordTable& letters, RecordTable& scenario,
                     const ParseProgress& progress)
        : request_(request), letters_(letters), scenario_(scenario), progress_(progress) {}

    ParseOutcome run() {
        ParseOutcome outcome;
        if (request_.personal) {
            outcome.description = findDescription(request_.text);
        }
        try {
            emptyTables();
            if (request_.text.empty()) {
                stop(parse_messages::chooseSuggestion());
            }
            chooseVersion();
            scan();
            closeSentence();
            letters_.first();
            outcome.completed = true;
            outcome.thesisCount = thesis_;
        } catch (const ParseStop& stopped) {
            outcome.message = stopped.message;
            outcome.stopOffset = stopped.offset;
        } catch (const FieldRangeError& error) {
            outcome.message = rangeMessage(error);
            outcome.stopOffset = base_ + pos_;
        }
        return outcome;
    }

private:
    [[noreturn]] void stop(std::string message) const { stopAt(std::move(message), pos_); }

    [[noreturn]] void stopAt(std::string message, std::size_t pos) const {
        throw ParseStop{std::move(message), base_ + std::min(pos, text_.size())};
    }

    void emptyTables() {
        for (RecordTable* table : {&letters_, &scenario_}) {
            if (!table->isOpen()) {
                table->open();
            }
            table->clear();
        }
    }

    // The men's version runs from the line after the first ">" up to the first "<" after it; the
    // women's version from the line after the first "<" to the end of the text.
    void chooseVersion() {
        const std::string_view whole = request_.text;
        if (request_.sexItem == 0) {
            const std::size_t marker = whole.find('>');
            if (marker == std::string_view::npos) {
                stop(parse_messages::noMenVersion());
            }
            const std::size_t end = std::min(whole.find('<', marker + 1), whole.size());
            base_ = std::min(marker + 3, end);
            text_ = whole.substr(base_, end - base_);
            pos_ = 0;
        } else {
            const std::size_t marker = whole.find('<');
            if (marker == std::string_view::npos) {
                stop(parse_messages::noWomenVersion());
            }
            text_ = whole;
            pos_ = marker + 3;
        }
    }

    // The last two characters (the final line break) are never read: the end of the text closes
    // the last sentence instead.
    void scan() {
        const std::size_t scanEnd = text_.size() >= 2 ? text_.size() - 2 : 0;
        while (pos_ < scanEnd) {
            reportProgress();
            const char c = text_[pos_];
            if (c == kCR) {
                endLine();
            } else if (c == ' ') {
                gap();
            } else if (c == '@') {
                header(scanEnd);
            } else {
                letter(c);
            }
        }
    }

    void reportProgress() {
        if (!progress_) {
            return;
        }
        const auto percent = static_cast<int>((pos_ + 1) * 100 / (text_.size() - 1));
        if (percent != lastPercent_) {
            lastPercent_ = percent;
            progress_(percent);
        }
    }

    void endLine() {
        if (!lineHasLetters_) {
            stop(parse_messages::emptyLine(thesis_, sentence_));
        }
        closeSentence();
        pos_ += 2;
        ++sentence_;
        word_ = letter_ = position_ = 1;
        lineHasLetters_ = false;
    }

    // A run of spaces is one gap; at the end of a line it is ignored.
    void gap() {
        std::size_t end = pos_;
        while (end < text_.size() && text_[end] == ' ') {
            ++end;
        }
        pos_ = end;
        if (end >= text_.size()) {
            return;
        }
        if (text_[end] == kCR) {
            endLine();
            return;
        }
        --pos_; // on the run's last space
        if (letter_ > kMaxWordLetters + 1) {
            stop(parse_messages::wordTooLong(thesis_, sentence_, word_));
        }
        if (letter_ == 2 && letters_.textAt(letters_.rowCount() - 1, letters_field::Letter) ==
                                std::string_view(&kLetterYa, 1)) {
            insertName();
        }
        ++word_;
        letter_ = 1;
        ++position_;
        ++pos_;
    }

    void insertName() {
        if (request_.name.empty()) {
            return;
        }
        ++word_;
        letter_ = 1;
        ++position_;
        for (const char byte : request_.name) {
            appendLetter(byte, kNameGlyphCount);
        }
    }

    void letter(char byte) {
        lineHasLetters_ = true;
        appendLetter(byte, kGlyphCount);
        ++pos_;
    }

    void appendLetter(char byte, int searchedGlyphs) {
        letters_.append();
        letters_.setNumber(letters_field::Serial, running_);
        letters_.setNumber(letters_field::Thesis, thesis_);
        letters_.setNumber(letters_field::Word, word_);
        letters_.setNumber(letters_field::Sentence, sentence_);
        letters_.setNumber(letters_field::LetterInWord, letter_);
        letters_.setNumber(letters_field::Position, position_);
        const char upper = cp1251::toUpper(byte);
        letters_.setText(letters_field::Letter, std::string_view(&upper, 1));
        if (const auto glyph = glyphIndex(byte, searchedGlyphs)) {
            letters_.setNumber(letters_field::Glyph, *glyph);
        }
        ++running_;
        ++letter_;
        ++position_;
    }

    void header(std::size_t scanEnd) {
        const std::size_t headerStart = pos_;
        ++pos_;
        sentence_ = word_ = letter_ = position_ = 1;
        scenario_.append();
        ++headersRead_;

        const std::string_view number = field('#');
        thesis_ = headerNumber(number, headersRead_, "«номер»");
        scenario_.setNumber(scenario_field::Thesis, thesis_);
        scenario_.setNumber(scenario_field::Colour, headerNumber(field('%'), thesis_, "«цвет»"));
        scenario_.setText(scenario_field::Picture, field('$'));
        scenario_.setNumber(scenario_field::PictureFrequency,
                            headerNumber(field('&'), thesis_, "«частота»"));
        const std::size_t pauseStart = pos_;
        while (pos_ < text_.size() && text_[pos_] != '^' && text_[pos_] != '@' &&
               text_[pos_] != kCR) {
            ++pos_;
        }
        const bool withSound = pos_ < text_.size() && text_[pos_] == '^';
        pos_ = pauseStart;
        scenario_.setNumber(scenario_field::PicturePause,
                            headerNumber(field(withSound ? '^' : '@'), thesis_, "«задержка»"));
        if (withSound) {
            scenario_.setText(scenario_field::Sound, field('@'));
        }
        if (pos_ < text_.size() && text_[pos_] != kCR) {
            stop(parse_messages::textAfterHeader(thesis_));
        }
        pos_ += 2;
        lineHasLetters_ = false;
        if (pos_ >= scanEnd || text_[pos_] == '@') {
            stopAt(parse_messages::thesisWithoutSentences(thesis_), headerStart);
        }
    }

    // Collects a header field up to its delimiter, which must come before the line ends, and
    // steps past the delimiter.
    std::string_view field(char delimiter) {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != delimiter) {
            if (text_[pos_] == kCR) {
                break;
            }
            ++pos_;
        }
        if (pos_ >= text_.size() || text_[pos_] != delimiter) {
            stop(delimiter == '#' ? parse_messages::headerError()
                                  : parse_messages::incompleteHeader(thesis_, delimiter));
        }
        return text_.substr(start, pos_++ - start);
    }

    int headerNumber(std::string_view value, int thesis, std::string_view fieldUtf8) {
        const std::string fieldName = cp1251::fromUtf8(fieldUtf8);
        std::size_t i = value.empty() || (value[0] != '-' && value[0] != '+') ? 0 : 1;
        const bool negative = i == 1 && value[0] == '-';
        if (i == value.size()) {
            stop(parse_messages::notAWholeNumber(thesis, fieldName, value));
        }
        std::int64_t number = 0;
        for (; i < value.size(); ++i) {
            if (value[i] < '0' || value[i] > '9') {
                stop(parse_messages::notAWholeNumber(thesis, fieldName, value));
            }
            number = std::min<std::int64_t>(number * 10 + (value[i] - '0'), 1'000'000);
        }
        number = negative ? -number : number;
        if (number < std::numeric_limits<std::int16_t>::min() ||
            number > std::numeric_limits<std::int16_t>::max()) {
            stop(parse_messages::outOfRange(thesis, fieldName, value));
        }
        return static_cast<int>(number);
    }

    void closeSentence() {
        const int positions = position_ - 1;
        if (positions > kMaxPositions) {
            stop(parse_messages::sentenceTooLong(thesis_, sentence_));
        }
        if (letter_ > kMaxWordLetters + 1) {
            stop(parse_messages::wordTooLong(thesis_, sentence_, word_));
        }
        placeSentenceOnGrid(letters_, thesis_, sentence_, startGridRow(positions));
    }

    // Only a line of tens of thousands of characters, or as many sentences in one thesis,
    // overflows a 16-bit field of the letters table.
    std::string rangeMessage(const FieldRangeError& error) const {
        const std::string& field = error.field();
        if (field == "Npred") {
            return parse_messages::tooManySentences(thesis_);
        }
        if (field == "Nzn" || field == "Nslov" || field == "Nbuk") {
            return parse_messages::sentenceTooLong(thesis_, sentence_);
        }
        return parse_messages::outOfRange(thesis_, field, std::to_string(error.value()));
    }

    const ParseRequest& request_;
    RecordTable& letters_;
    RecordTable& scenario_;
    const ParseProgress& progress_;

    std::string_view text_;
    std::size_t base_ = 0;
    std::size_t pos_ = 0;
    int lastPercent_ = -1;
    bool lineHasLetters_ = false;
    int headersRead_ = 0;

    int thesis_ = 0;
    int sentence_ = 1;
    int word_ = 1;
    int letter_ = 1;
    int position_ = 1;
    std::int64_t running_ = 1;
};

} // namespace

ParseOutcome parseSuggestion(const ParseRequest& request, RecordTable& letters,
                             RecordTable& scenario, const ParseProgress& progress) {
    return SuggestionParser(request, letters, scenario, progress).run();
}

std::string findDescription(std::string_view text) {
    std::string caption;
    bool open = false;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '*') {
            if (!open) {
                caption.clear();
            }
            open = !open;
        } else if (open) {
            caption += text[i];
        }
    }
    return caption;
}

} // namespace mirelta
