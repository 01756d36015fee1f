#include "zarn/tags/framesearch.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include "tests/support/mp3writer.h"

namespace {

// Counts the bytes the search pulls from the device.
class CountingBuffer : public QBuffer {
  public:
    explicit CountingBuffer(const QByteArray& data) {
        setData(data);
        open(QIODevice::ReadOnly);
    }
    qint64 bytesRead = 0;

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = QBuffer::readData(data, maxSize);
        if (n > 0) bytesRead += n;
        return n;
    }
};

const QByteArray kHeader = mp3::FrameHeader({});

QByteArray Junk(int size) {
    return QByteArray(size, '\x55');
}

TEST(FindFrameHeader, StopsAtTheFirstHeaderFromStart) {
    const struct {
        const char* name;
        QByteArray data;
        qint64 start;
        qint64 offset;
    } cases[] = {
        {"at start", kHeader + Junk(100), 0, 0},
        {"behind the start", Junk(1034) + kHeader + Junk(10), 1034, 1034},
        {"behind junk", Junk(1034 + 77) + kHeader, 1034, 1111},
        {"header before start is skipped", kHeader + Junk(20) + kHeader, 1, 24},
        {"false syncs first",
         QByteArray("\xFF\xE1\x90\x00\xFF\xFB\xF0\x01\xFF\xFB\x9C", 11) + kHeader, 0, 11},
        {"across the first chunk edge", Junk(4094) + kHeader + Junk(5), 0, 4094},
        {"across a later chunk edge", Junk(4093 + 65533) + kHeader, 0, 4093 + 65533},
        {"far behind", Junk(300000) + kHeader, 0, 300000},
    };
    for (const auto& c : cases) {
        CountingBuffer device(c.data);
        const FrameSearchResult r = FindFrameHeader(device, c.start);
        EXPECT_TRUE(r.found) << c.name;
        EXPECT_EQ(r.offset, c.offset) << c.name;
        EXPECT_EQ(r.bytes, kHeader) << c.name;
        EXPECT_FALSE(r.readError) << c.name;
    }
}

TEST(FindFrameHeader, WithoutHeaderTheLastFourBytesStand) {
    const struct {
        const char* name;
        QByteArray data;
        qint64 start;
        qint64 offset;
        QByteArray bytes;
    } cases[] = {
        {"junk only", Junk(10) + "abcd", 0, 10, "abcd"},
        {"long junk", Junk(200000) + "wxyz", 5, 200000, "wxyz"},
        {"exactly four bytes", "abcd", 0, 0, "abcd"},
        {"fewer than four after start", "ID3xyz", 4, 4, QByteArray("yz\0\0", 4)},
        {"start at the end", "abc", 3, 3, QByteArray(4, '\0')},
        {"start beyond the end", "abc", 1000, 1000, QByteArray(4, '\0')},
        {"empty", QByteArray(), 0, 0, QByteArray(4, '\0')},
    };
    for (const auto& c : cases) {
        CountingBuffer device(c.data);
        const FrameSearchResult r = FindFrameHeader(device, c.start);
        EXPECT_FALSE(r.found) << c.name;
        EXPECT_EQ(r.offset, c.offset) << c.name;
        EXPECT_EQ(r.bytes, c.bytes) << c.name;
    }
}

TEST(FindFrameHeader, ReadsOnlyAroundTheHeader) {
    // A 4 MB stream whose header follows the tag: the search must not read the audio.
    const QByteArray data = Junk(2000) + mp3::Audio(10000);
    CountingBuffer device(data);
    const FrameSearchResult r = FindFrameHeader(device, 2000);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.offset, 2000);
    EXPECT_LE(device.bytesRead, 4096);
}

}  // namespace
