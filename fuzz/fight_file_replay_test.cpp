// Feeds every seed of the fight file reader's fuzz corpus to the fuzz target,
// so that the normal suite catches a reader that crashes on one of them, and
// checks what the reader makes of the seeds that say what they are.

#include "history/FightFile.h"
#include "roster/TNameOrder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using mecovnik::TFightFileError;

std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FightFileReaderFuzzCorpus, EverySeedReadsWithoutACrashAndAsItsNameSays)
{
    // Seeds named for what they hold: the reader's answer, and whether a
    // number had to be brought into its range.
    const std::map<std::string, std::pair<TFightFileError, bool>> expected = {
        {"example.souboj", {TFightFileError::None, false}},
        {"bom.souboj", {TFightFileError::None, false}},
        {"compact.souboj", {TFightFileError::None, false}},
        {"escapes.souboj", {TFightFileError::None, false}},
        {"empty-rosters.souboj", {TFightFileError::None, false}},
        {"selection-minus-one.souboj", {TFightFileError::None, false}},
        {"ledger-and-unknown-keys.souboj", {TFightFileError::None, false}},
        {"clamped.souboj", {TFightFileError::None, true}},
        {"empty.souboj", {TFightFileError::NotJson, false}},
        {"cut.souboj", {TFightFileError::NotJson, false}},
        {"plain-text.souboj", {TFightFileError::NotJson, false}},
        {"bad-utf8.souboj", {TFightFileError::NotUtf8, false}},
        {"other-json.souboj", {TFightFileError::NotFightFile, false}},
        {"other-format.souboj", {TFightFileError::NotFightFile, false}},
        {"newer-version.souboj", {TFightFileError::NewerVersion, false}},
        {"missing-value.souboj", {TFightFileError::MissingValue, false}},
        {"wrong-type.souboj", {TFightFileError::WrongType, false}},
        {"duplicate-names.souboj", {TFightFileError::DuplicateName, false}},
        {"selection-outside.souboj", {TFightFileError::SelectionOutside, false}},
        {"deep-ledger.souboj", {TFightFileError::TooLarge, false}},
        {"found-number-overflow.souboj", {TFightFileError::NotJson, false}},
    };
    const mecovnik::TAsciiNameOrder order;
    int seeds = 0;
    int named = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MECOVNIK_FUZZ_CORPUS_DIR)) {
        SCOPED_TRACE(entry.path().string());
        const std::string bytes = Slurp(entry.path());
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         bytes.size()),
                  0);
        ++seeds;
        const auto it = expected.find(entry.path().filename().string());
        if (it == expected.end())
            continue; // a find of the fuzzer, kept for the fault it once showed
        ++named;
        const mecovnik::TFightFileReading r = mecovnik::ReadFightFile(bytes, order);
        EXPECT_EQ(r.Error, it->second.first);
        EXPECT_EQ(r.Clamped > 0, it->second.second);
    }
    EXPECT_EQ(named, static_cast<int>(expected.size()));
    EXPECT_GE(seeds, 20);
}

} // namespace
