// Patterns against listed names: the wildcards, case, name against path, the
// separators, and what is refused.
#include <gtest/gtest.h>

#include "browse/name_pattern.h"
#include "platform/fake/fake_services.h"

namespace quillory {
namespace {

struct Case {
    const char* patterns;
    const char* name;
    bool matches;
};

class NamePattern : public ::testing::Test {
protected:
    void ExpectAll(std::initializer_list<Case> cases) {
        for (const Case& c : cases) {
            const NamePatterns patterns(services, c.patterns);
            ASSERT_EQ(patterns.Fault(), "") << c.patterns;
            EXPECT_EQ(patterns.AnyMatches(c.name), c.matches) << c.patterns << " / " << c.name;
        }
    }

    fake::FakeServices services;
};

TEST_F(NamePattern, StarTakesAnyRunQuestionMarkOneCharacterAndTheWholeNameMustMatch) {
    ExpectAll({
        {"*.jpg", "a.jpg", true},
        {"*.jpg", ".jpg", true},
        {"*.jpg", "a.jpg.txt", false},
        {"*.jpg", "a.jpeg", false},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYcZ", false},
        {"*", "任何名字", true},
        {"?.txt", "照.txt", true},  // one character, whatever its bytes
        {"??.txt", "照.txt", false},
        {"?.txt", ".txt", false},
        {"report-?-*.docx", "report-7-final.docx", true},
        {"*.*", "README", true},
        {"README.*", "README", true},
        {"README.*", "README.md", true},
        {"README.*", "READMEX", false},
        {"***a", "a", true},
    });
}

TEST_F(NamePattern, LettersMatchWithoutRegardToCaseBeyondAscii) {
    ExpectAll({
        {"*.JPG", "photo.jpg", true},
        {"Photo.*", "PHOTO.png", true},
        {"ÉTÉ*", "été 2024.jpg", true},
        {"москва*", "МОСКВА.txt", true},
        {"москва*", "МИНСК.txt", false},
        {"*.jpg", "a.jpgx", false},
    });
}

TEST_F(NamePattern, APatternWithABackslashMatchesTheRelativePathOneWithoutTheFileName) {
    ExpectAll({
        {"*.jpg", "照片\\2024\\a.jpg", true},
        {"a*", "a目录\\b.txt", false},  // the name is b.txt
        {"tmp\\*", "tmp\\x.jpg", true},
        {"tmp\\*", "tmp\\deeper\\x.jpg", true},
        {"tmp\\*", "other\\tmp\\x.jpg", false},
        {"tmp\\*", "tmp.jpg", false},
        {"*\\*.jpg", "a.jpg", false},
        {"*\\*.jpg", "sub\\a.jpg", true},
        {"tmp/*.jpg", "TMP\\a.JPG", true},  // "/" taken for "\"
    });
}

TEST_F(NamePattern, SemicolonsAndBlanksSeparatePatternsAndAnyOneMatching) {
    const NamePatterns patterns(services, " *.jpg;;*.PNG  a?c ;");
    EXPECT_FALSE(patterns.Empty());
    for (const char* name : {"x.jpg", "y.png", "abc"}) EXPECT_TRUE(patterns.AnyMatches(name)) << name;
    for (const char* name : {"x.gif", "abcd", "jpg"}) EXPECT_FALSE(patterns.AnyMatches(name)) << name;

    for (const char* empty : {"", "  ", ";", " ; ;"}) {
        const NamePatterns none(services, empty);
        EXPECT_TRUE(none.Empty() && none.Fault().empty()) << empty;
        EXPECT_FALSE(none.AnyMatches("a.jpg"));
    }
}

TEST_F(NamePattern, CharactersNoFileNameHoldsAndMisplacedBackslashesAreRefusedWholly) {
    for (const char* invalid : {"*.jpg a<b", "a>b", "C:*", "\"*.jpg\"", "a|b", "a\tb", "\\*.jpg", "tmp\\", "a\\\\b",
                                "a//b"}) {
        const NamePatterns patterns(services, invalid);
        EXPECT_NE(patterns.Fault(), "") << invalid;
        EXPECT_TRUE(patterns.Empty()) << invalid;
        EXPECT_FALSE(patterns.AnyMatches("a.jpg")) << invalid;
    }
    EXPECT_EQ(NamePatterns(services, "*.png a<b").Fault(), "模式无效：a<b\n文件名不能含有 < > : \" | 这些字符。");
}

}  // namespace
}  // namespace quillory
