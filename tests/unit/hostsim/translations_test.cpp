// The translation manager's texts file of plazen-host --translations.
#include "hostsim/translations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace plz::hostsim {
namespace {

std::string WriteTemp(const std::string& name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

TEST(Translations, LinesGiveContextKeyAndTextWithEscapesAndTheFontMode) {
    const std::string path = WriteTemp("plazen-translations-ok.txt",
                                       "# texts\r\n\n@fontmode 1\nExportForm\tCaption.'Save as'\tSpeichern unter\r\n"
                                       "Note\tCaption.'Don''t save'\tNicht\\tspeichern\\\\\xC3\xB6\n");
    Translations t;
    std::string error;
    ASSERT_TRUE(LoadTranslations(path, t, &error)) << error;
    EXPECT_TRUE(t.present);
    EXPECT_EQ(t.fontMode, 1);
    EXPECT_EQ(t.texts.size(), 2u);
    EXPECT_EQ((t.texts[{u"ExportForm", u"Caption.'Save as'"}]), u"Speichern unter");
    EXPECT_EQ((t.texts[{u"Note", u"Caption.'Don''t save'"}]), u"Nicht\tspeichern\\\u00F6");
    std::filesystem::remove(path);
}

TEST(Translations, AMalformedLineOrMissingFileIsNamedAndChangesNothing) {
    const std::string path = WriteTemp("plazen-translations-bad.txt", "A\tB\tC\nonly\ttwo\n");
    Translations t;
    std::string error;
    EXPECT_FALSE(LoadTranslations(path, t, &error));
    EXPECT_EQ(error, path + ":2: expected CONTEXT<TAB>KEY<TAB>TEXT");
    EXPECT_FALSE(t.present);
    EXPECT_TRUE(t.texts.empty());
    EXPECT_FALSE(LoadTranslations(path + ".missing", t, &error));
    EXPECT_NE(error.find("cannot read"), std::string::npos);
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace plz::hostsim
