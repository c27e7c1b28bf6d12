// Feeds every file of a fuzz target's seed corpus to it, so the normal suite
// catches a reader that crashes on one of them. The corpus folder and the
// fewest seeds it must hold come from the build.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

TEST(FuzzCorpus, EverySeedReadsWithoutACrash)
{
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MECOVNIK_FUZZ_CORPUS_DIR)) {
        SCOPED_TRACE(entry.path().string());
        std::ifstream in(entry.path(), std::ios::binary);
        ASSERT_TRUE(in);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0);
        ++seeds;
    }
    EXPECT_GE(seeds, MECOVNIK_FUZZ_MIN_SEEDS);
}

} // namespace
