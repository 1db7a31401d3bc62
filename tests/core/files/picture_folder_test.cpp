#include "files/file_io.h"
#include "files/picture_folder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace vexa;
namespace fs = std::filesystem;

namespace {

TEST(PictureFolder, ListsJpegFilesSortedWithoutRegardToCase) {
    test::TempDir dir;
    const fs::path pics = dir.path() / "driverpics";
    EXPECT_TRUE(listPictures(pics).empty()); // no folder yet
    fs::create_directories(pics / "folder.jpg");
    for (const char* name :
         {"zoe.jpg", "Ann.JPG", "bob.jpg", "notes.txt", "jpg", "carl.jpeg", "adam.jpg.bak", ".jpg"})
        ASSERT_TRUE(writeFileAtomic(pics / name, std::string("x")).ok);
    const std::vector<std::string> expected{"Ann.JPG", "bob.jpg", "zoe.jpg"};
    EXPECT_EQ(listPictures(pics), expected);
}

TEST(PictureFolder, PicturePath) {
    EXPECT_TRUE(picturePath("pics", "").empty());
    EXPECT_EQ(picturePath("pics", "ann lee.jpg"), fs::path("pics") / "ann lee.jpg");
    EXPECT_EQ(picturePath("pics", "Ren\xe9.jpg"), fs::path("pics") / fs::path(u8"René.jpg"));
}

} // namespace
