// Fuzz target of the part-of-speech translations: any label gives a code of its kind, the
// Latin tests ignore ASCII case only, an engine word's export label imports back to that
// word, and the "#N" labels of unknown E-C codes turn back into exactly their code.
#include "FuzzCheck.h"
#include "lang/PartOfSpeech.h"
#include "platform/CodePage.h"
#include "platform/FixedBuffer.h"
#include "textio/PosLabels.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvara {
namespace {

constexpr std::array<std::string_view, 6> kEngineWords{"noun", "vt", "vi", "adj", "adv", "prep"};

std::string flipAsciiCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

int fuzzOne(const std::uint8_t* data, std::size_t size)
{
    const std::string_view label(reinterpret_cast<const char*>(data), size);
    for (const int codePage : {kCodePageGbk, kCodePageBig5}) {
        const unsigned char ec = PosLabelToCode(label, DictionaryKind::EC, codePage);
        const unsigned char ce = PosLabelToCode(label, DictionaryKind::CE, codePage);
        require(ec < kEcPartOfSpeechCount && ce < kCePartOfSpeechCount);
        // The Latin tests ignore the case of ASCII letters. Flipped only in ASCII labels: in
        // other text a letter byte may be the trail byte of a character, which flipping changes.
        bool ascii = true;
        for (const char c : label)
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii) {
            const std::string flipped = flipAsciiCase(label);
            require(PosLabelToCode(flipped, DictionaryKind::EC, codePage) == ec);
            require(PosLabelToCode(flipped, DictionaryKind::CE, codePage) == ce);
        }

        // The export label of a word: the word itself when unknown, else a label that the
        // C-E import turns back into that word and code.
        const std::string exported = EngineWordToLabel(label, codePage);
        std::size_t known = kEngineWords.size();
        for (std::size_t i = 0; i < kEngineWords.size(); ++i) {
            if (label == kEngineWords[i])
                known = i;
        }
        if (known == kEngineWords.size()) {
            require(exported == label);
        } else {
            require(PosLabelToCode(exported, DictionaryKind::CE, codePage) == known);
            Buffer16 buffer(exported);
            PosLabelToEngineWord(buffer, codePage);
            require(buffer.view() == kEngineWords[known]);
        }

        // The C-E import's rewrite gives one of the six words or leaves the label as it was.
        Buffer16 buffer;
        if (buffer.assign(label)) {
            PosLabelToEngineWord(buffer, codePage);
            bool word = false;
            for (const std::string_view w : kEngineWords)
                word = word || buffer.view() == w;
            require(word || buffer.view() == label.substr(0, label.find('\0')));
        }
    }

    // "#N": a label names an unknown code only when it is exactly that code's label.
    const int code = EcCodeOfLabel(label, -1);
    require(code >= 0 && code <= 255);
    if (code != 255)
        require(UnknownEcCodeLabel(static_cast<unsigned char>(code)) == label);
    return 0;
}

} // namespace
} // namespace kelvara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return kelvara::fuzzOne(data, size);
}
