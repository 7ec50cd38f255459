#include "open_result.h"

#include <gtest/gtest.h>
#include <random>

using namespace std::string_literals;

namespace {

open_result scan(const std::string& buffer)
{
    // An exact-size heap copy, so a read past its end is caught by the address sanitizer.
    std::vector<char> exact(buffer.begin(), buffer.end());
    open_result r;
    scan_multiple_selection(std::string_view(exact.data(), exact.size()), r);
    return r;
}

std::string blanks_to(std::string s, std::size_t size)
{
    s.resize(size, ' ');
    return s;
}

} // namespace

TEST(OpenScan, FolderThenEachNameUpToTheDoubleNul)
{
    const auto r = scan(blanks_to("d\0a\0bb\0c\0\0"s, 2048));
    EXPECT_EQ(r.folder, "d");
    ASSERT_EQ(r.file_count, 3);
    EXPECT_EQ(r.file_names[1], "a");
    EXPECT_EQ(r.file_names[2], "bb");
    EXPECT_EQ(r.file_names[3], "c");
}

TEST(OpenScan, OneFullPathGivesTheFolderAndOneEmptyName)
{
    const auto r = scan(blanks_to("/home/a/book.ods\0\0\0"s, 2048));
    EXPECT_EQ(r.folder, "/home/a/book.ods");
    ASSERT_EQ(r.file_count, 1);
    EXPECT_EQ(r.file_names[1], "");
}

TEST(OpenScan, ABufferWithoutNulOrWithoutItsDoubleNulStillEnds)
{
    const auto none = scan(std::string(2048, ' '));
    EXPECT_EQ(none.file_count, 1);
    EXPECT_EQ(none.folder, "");

    // The last name has no second NUL: it is counted, and its entry stays empty.
    const auto open_end = scan("d\0a\0b"s);
    EXPECT_EQ(open_end.folder, "d");
    ASSERT_EQ(open_end.file_count, 2);
    EXPECT_EQ(open_end.file_names[1], "a");
    EXPECT_EQ(open_end.file_names[2], "");
}

TEST(OpenScan, NamesAfterThe200thAreCountedButNotKept)
{
    std::string buffer = "/f"s + '\0';
    for (int i = 1; i <= 205; ++i)
        buffer += "n" + std::to_string(i) + '\0';
    buffer += '\0';
    const auto r = scan(blanks_to(buffer, 2048));
    ASSERT_EQ(r.file_count, 205);
    ASSERT_EQ(r.file_names.size(), 206u);
    EXPECT_EQ(r.file_names[1], "n1");
    EXPECT_EQ(r.file_names[200], "n200");
    for (int i = 201; i <= 205; ++i)
        EXPECT_EQ(r.file_names[i], "") << i;
}

TEST(OpenScan, AnyContentIsReadWithinTheBuffer)
{
    std::mt19937 rng(20261207);
    const char alphabet[] = {'a', ' ', '\0', '\r', '/', '\0'};
    for (int round = 0; round < 20000; ++round) {
        std::string buffer(rng() % 300, ' ');
        for (char& c : buffer)
            c = alphabet[rng() % sizeof alphabet];
        const auto r = scan(buffer);
        ASSERT_GE(r.file_count, 1);
        ASSERT_EQ(r.file_names.size(), static_cast<std::size_t>(r.file_count) + 1);
        std::size_t total = r.folder.size();
        for (const auto& n : r.file_names)
            total += n.size();
        ASSERT_LE(total, buffer.size());
    }
}
