#include "text/data_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DataPath : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tmp_.isValid());
        root_ = tmp_.path() + QLatin1Char('/');
        for (const char* file :
             {"Data/RTFs/OH/Waende.rtf", "Data/RTFs/OH/waende.rtf", "Data/RTFs/OH/Schirme.rtf",
              "data/rtfs/Nur_klein.rtf", "Data/Übung.rtf"}) {
            const QString path = root_ + QString::fromUtf8(file);
            ASSERT_TRUE(QDir().mkpath(path.section(QLatin1Char('/'), 0, -2)));
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QDir().mkpath(root_ + QStringLiteral("Data/RTFs/Ordner.rtf")));
    }
    QString path(const char* relative) const { return root_ + QString::fromUtf8(relative); }

    QTemporaryDir tmp_;
    QString root_;
};

TEST_F(DataPath, FindsFilesWhateverTheCaseAndSeparators) {
    EXPECT_EQ(zb::ui::dataPath(root_, QStringLiteral("Data\\RTFs\\OH\\Schirme.rtf")),
              path("Data/RTFs/OH/Schirme.rtf"));
    EXPECT_EQ(zb::ui::dataPath(root_, QStringLiteral("DATA\\rtfs/oh\\SCHIRME.RTF")),
              path("Data/RTFs/OH/Schirme.rtf"));
    EXPECT_EQ(zb::ui::dataPath(root_, QStringLiteral("\\data\\\\übung.rtf")),
              path("Data/Übung.rtf"));
    // "Data" is tried first, but only "data" holds the file.
    EXPECT_EQ(zb::ui::dataPath(root_, QStringLiteral("Data\\RTFs\\nur_klein.rtf")),
              path("data/rtfs/Nur_klein.rtf"));
}

TEST_F(DataPath, ExactCaseWinsOverOtherSpellings) {
    EXPECT_EQ(zb::ui::dataPath(root_, QStringLiteral("Data\\RTFs\\OH\\waende.rtf")),
              path("Data/RTFs/OH/waende.rtf"));
    EXPECT_EQ(zb::ui::dataPath(root_, QStringLiteral("data/rtfs/oh/Waende.rtf")),
              path("Data/RTFs/OH/Waende.rtf"));
}

TEST_F(DataPath, MissingFileGivesTheJoinedPath) {
    EXPECT_EQ(zb::ui::dataPath(root_, QStringLiteral("Data\\RTFs\\OH\\Fehlt.rtf")),
              path("Data/RTFs/OH/Fehlt.rtf"));
    // A folder is not a data file.
    EXPECT_EQ(zb::ui::dataPath(root_, QStringLiteral("data\\rtfs\\ordner.RTF")),
              path("data/rtfs/ordner.RTF"));
}

} // namespace
