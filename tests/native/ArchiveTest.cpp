#include "framework/Archive.h"
#include "framework/ArchiveException.h"
#include "framework/DiskFile.h"
#include "framework/FileException.h"
#include "framework/MemoryFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

template <typename Write>
Bytes stored(Write write, size_t bufferSize = Archive::DefaultBufferSize)
{
    MemoryFile file;
    Archive archive(file, Archive::Mode::Store, bufferSize);
    write(archive);
    archive.close();
    return file.bytes();
}

ArchiveException::Cause causeOfLoading(const Bytes& bytes, void (*read)(Archive&))
{
    MemoryFile file(bytes.data(), bytes.size());
    Archive archive(file, Archive::Mode::Load);
    try {
        read(archive);
    } catch (const ArchiveException& e) {
        return e.cause();
    }
    ADD_FAILURE() << "no ArchiveException";
    return ArchiveException::Cause::Generic;
}

TEST(ArchiveWriter, IntegersAreFourBytesLittleEndian)
{
    const Bytes bytes = stored([](Archive& a) {
        a.writeInt32(0x12345678);
        a.writeInt32(-1);
        a.writeInt32(INT32_MIN);
        a.writeInt32(1);
    });
    EXPECT_EQ(bytes, (Bytes{0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80,
                            0x01, 0x00, 0x00, 0x00}));
}

TEST(ArchiveWriter, StringsAreLengthPrefixedWithoutTerminator)
{
    const Bytes bytes = stored([](Archive& a) {
        a.writeString("");
        a.writeString(std::string("a\0\x95\x5C", 4));
    });
    EXPECT_EQ(bytes, (Bytes{0, 0, 0, 0, 4, 0, 0, 0, 'a', 0x00, 0x95, 0x5C}));
}

TEST(ArchiveWriter, BytesReachTheFileOnlyOnFlush)
{
    MemoryFile file;
    Archive archive(file, Archive::Mode::Store);
    archive.writeInt32(7);
    EXPECT_EQ(file.length(), 0u);
    archive.flush();
    EXPECT_EQ(file.length(), 4u);
}

TEST(ArchiveWriter, DestructorFlushes)
{
    MemoryFile file;
    {
        Archive archive(file, Archive::Mode::Store);
        archive.writeString("abc");
    }
    EXPECT_EQ(file.bytes(), (Bytes{3, 0, 0, 0, 'a', 'b', 'c'}));
}

TEST(ArchiveWriter, UseAfterCloseOrInTheWrongModeIsRefused)
{
    MemoryFile file;
    Archive storing(file, Archive::Mode::Store);
    EXPECT_THROW(storing.readInt32(), ArchiveException);
    storing.close();
    EXPECT_THROW(storing.writeInt32(1), ArchiveException);

    Archive loading(file, Archive::Mode::Load);
    EXPECT_THROW(loading.writeInt32(1), ArchiveException);
    EXPECT_THROW(loading.flush(), ArchiveException);
}

// Writes and reads values that straddle the buffer boundary in every way.
class ArchiveBufferSize : public testing::TestWithParam<size_t> {};

TEST_P(ArchiveBufferSize, RoundTripIsIndependentOfTheBuffer)
{
    const std::string large(10000, 'x');
    const auto write = [&](Archive& a) {
        for (int32_t i = -3; i < 300; ++i) a.writeInt32(i * 65537);
        a.writeString("short");
        a.writeString(large);
        a.writeBytes("tail", 4);
    };
    const Bytes bytes = stored(write, GetParam());
    EXPECT_EQ(bytes, stored(write));

    MemoryFile file(bytes.data(), bytes.size());
    Archive archive(file, Archive::Mode::Load, GetParam());
    for (int32_t i = -3; i < 300; ++i) ASSERT_EQ(archive.readInt32(), i * 65537);
    EXPECT_EQ(archive.readString(), "short");
    EXPECT_EQ(archive.bytesRemaining(), 4u + large.size() + 4u);
    EXPECT_EQ(archive.readString(), large);
    char tail[4];
    archive.readBytes(tail, sizeof tail);
    EXPECT_EQ(std::string(tail, 4), "tail");
    EXPECT_EQ(archive.bytesRemaining(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ArchiveBufferSize, testing::Values(1, 3, 5, 4096));

TEST(ArchiveReader, ShortIntegerIsEndOfFile)
{
    EXPECT_EQ(causeOfLoading({}, [](Archive& a) { a.readInt32(); }), ArchiveException::Cause::EndOfFile);
    EXPECT_EQ(causeOfLoading({1, 2, 3}, [](Archive& a) { a.readInt32(); }), ArchiveException::Cause::EndOfFile);
}

TEST(ArchiveReader, ShortByteBlockIsEndOfFile)
{
    const Bytes bytes(5000, 0);
    EXPECT_EQ(causeOfLoading(bytes,
                             [](Archive& a) {
                                 std::vector<uint8_t> block(5001);
                                 a.readBytes(block.data(), block.size());
                             }),
              ArchiveException::Cause::EndOfFile);
}

TEST(ArchiveReader, ImpossibleStringLengthIsAFormatError)
{
    const auto readString = [](Archive& a) { a.readString(); };
    // Negative, longer than what follows by one byte, and the largest length:
    // none of them may allocate or read on.
    EXPECT_EQ(causeOfLoading({0xFF, 0xFF, 0xFF, 0xFF}, readString), ArchiveException::Cause::BadFormat);
    EXPECT_EQ(causeOfLoading({4, 0, 0, 0, 'a', 'b', 'c'}, readString), ArchiveException::Cause::BadFormat);
    EXPECT_EQ(causeOfLoading({0xFF, 0xFF, 0xFF, 0x7F}, readString), ArchiveException::Cause::BadFormat);
}

TEST(ArchiveReader, StringFillingTheRestOfTheStreamIsRead)
{
    const Bytes bytes{3, 0, 0, 0, 'a', 'b', 'c'};
    MemoryFile file(bytes.data(), bytes.size());
    Archive archive(file, Archive::Mode::Load, 2);
    EXPECT_EQ(archive.readString(), "abc");
    EXPECT_THROW(archive.readInt32(), ArchiveException);
}

TEST(MemoryFile, WritesOverwriteAfterSeekAndExtendPastTheEnd)
{
    MemoryFile file(1);
    file.write("abcdef", 6);
    file.seekToBegin();
    file.write("XY", 2);
    EXPECT_EQ(file.position(), 2u);
    EXPECT_EQ(file.length(), 6u);
    char buffer[10];
    EXPECT_EQ(file.read(buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::string(buffer, 4), "cdef");
    EXPECT_EQ(file.read(buffer, sizeof buffer), 0u);
    file.write("gh", 2);
    EXPECT_EQ(std::string(file.bytes().begin(), file.bytes().end()), "XYcdefgh");
}

TEST(MemoryFile, DetachHandsOverTheContentsAndEmptiesTheFile)
{
    MemoryFile file("abc", 3);
    EXPECT_EQ(file.position(), 0u);
    const Bytes contents = file.detach();
    EXPECT_EQ(contents, (Bytes{'a', 'b', 'c'}));
    EXPECT_EQ(file.length(), 0u);
    EXPECT_EQ(file.position(), 0u);
    file.write("d", 1);
    EXPECT_EQ(file.bytes(), (Bytes{'d'}));
}

class DiskFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = testing::TempDir() + "ravlo_diskfile_" +
                  testing::UnitTest::GetInstance()->current_test_info()->name();
        ::mkdir(folder_.c_str(), 0700);
    }
    void TearDown() override
    {
        std::remove(path("data").c_str());
        ::rmdir(folder_.c_str());
    }
    std::string path(const std::string& name) const { return folder_ + "/" + name; }

    static FileException::Cause openFailure(const std::string& path, DiskFile::Mode mode)
    {
        try {
            DiskFile file(path, mode);
        } catch (const FileException& e) {
            EXPECT_EQ(e.path(), path);
            return e.cause();
        }
        ADD_FAILURE() << "opened " << path;
        return FileException::Cause::Generic;
    }

    std::string folder_;
};

TEST_F(DiskFileTest, ArchiveRoundTripThroughTheDisk)
{
    {
        DiskFile file(path("data"), DiskFile::Mode::Write);
        Archive archive(file, Archive::Mode::Store);
        archive.writeInt32(42);
        archive.writeString("\x95\x5C");
        archive.close();
        EXPECT_EQ(file.length(), 10u);
        file.close();
    }
    DiskFile file(path("data"), DiskFile::Mode::Read);
    EXPECT_EQ(file.length(), 10u);
    Archive archive(file, Archive::Mode::Load);
    EXPECT_EQ(archive.readInt32(), 42);
    EXPECT_EQ(archive.bytesRemaining(), 6u);
    EXPECT_EQ(archive.readString(), "\x95\x5C");
    EXPECT_EQ(file.position(), 10u);
    EXPECT_THROW(archive.readInt32(), ArchiveException);
    file.seekToBegin();
    EXPECT_EQ(file.position(), 0u);
}

TEST_F(DiskFileTest, OpenFailuresCarryTheirCause)
{
    EXPECT_EQ(openFailure(path("missing"), DiskFile::Mode::Read), FileException::Cause::FileNotFound);
    EXPECT_EQ(openFailure(path("no/such/folder"), DiskFile::Mode::Write), FileException::Cause::FileNotFound);
    EXPECT_EQ(openFailure(folder_, DiskFile::Mode::Write), FileException::Cause::AccessDenied);
    DiskFile(path("data"), DiskFile::Mode::Write).close();
    EXPECT_EQ(openFailure(path("data") + "/below", DiskFile::Mode::Read), FileException::Cause::BadPath);
}

TEST(DiskFile, FullDiskIsReportedByClose)
{
    DiskFile file("/dev/full", DiskFile::Mode::Write);
    file.write("abc", 3);  // held in the C library's buffer until close
    try {
        file.close();
        ADD_FAILURE() << "close succeeded on a full disk";
    } catch (const FileException& e) {
        EXPECT_EQ(e.cause(), FileException::Cause::DiskFull);
    }
}

TEST_F(DiskFileTest, ClosedFileRefusesWork)
{
    DiskFile file(path("data"), DiskFile::Mode::Write);
    file.close();
    file.close();
    EXPECT_THROW(file.write("a", 1), FileException);
}

}  // namespace
