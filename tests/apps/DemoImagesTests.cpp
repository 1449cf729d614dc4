#include "DemoImages.h"

#include "render/PageImageTesting.h"

#include <filesystem>
#include <sstream>

using namespace orv;

namespace {

class PageExportDemo : public orv::testing::PageImageTest {};

} // namespace

TEST_F(PageExportDemo, EveryPageBecomesAPngInTheFolder)
{
    control.NewPage(4, 2);
    const std::filesystem::path folder = path("out");
    std::ostringstream out, err;
    EXPECT_TRUE(writePageImages(control, folder, out, err));
    EXPECT_EQ(out.str(), "wrote " + (folder / "page-1").string() + ".PNG\nwrote " + (folder / "page-2").string() +
                             ".PNG\nwrote " + (folder / "demo").string() + ".PDF\n");
    EXPECT_TRUE(std::filesystem::file_size(folder / "demo.PDF") > 0);
    EXPECT_EQ(QImage(QString::fromStdString((folder / "page-2.PNG").string())).size(), QSize(384, 192));

    // A folder that cannot be made is reported.
    EXPECT_FALSE(writePageImages(control, folder / "page-1.PNG" / "below", out, err));
    EXPECT_NE(err.str().find("cannot create"), std::string::npos);
}
