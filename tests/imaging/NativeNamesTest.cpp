// File names that are not UTF-8 survive their way through QString and are read by that name.
#include "imaging/NativeNames.h"
#include "TestImages.h"
#include "imaging/ImageFiles.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

using namespace quillora::imaging;
using namespace quillora::imaging::test;

TEST(NativeNames, EveryByteStringRoundTripsAndUtf8StaysAsQtReadsIt)
{
    const std::string utf8 = "/scan/検査 \xF0\x9F\x93\x84.jpg";
    EXPECT_EQ(NativeToQString(utf8), QString::fromUtf8(utf8.c_str()));
    for (const std::string& bytes :
         {utf8, std::string("/scan/\x82\xA0\x82\xA2.jpg"), // code page 932
          std::string("\xED\xA0\x80\xC0\xAF\xFF\xE3\x81"), // surrogate, overlong, cut
          std::string("\xF0\x9F\x93\x84\x84")})
        EXPECT_EQ(QStringToNative(NativeToQString(bytes)), bytes);
}

TEST(NativeNames, PageWithACodePage932NameIsRead)
{
    QTemporaryDir dir;
    const std::string file = dir.path().toStdString() + "/\x82\xA0\x82\xA2.png";
    ASSERT_TRUE(colourImage(20, 10).save(QString::fromStdString(dir.path().toStdString() + "/tmp.png")));
    std::filesystem::rename(dir.path().toStdString() + "/tmp.png", file);
    EXPECT_EQ(readImageFile(NativeToQString(file)).size(), QSize(20, 10));
    std::filesystem::remove(file); // QTemporaryDir cannot name it
}
