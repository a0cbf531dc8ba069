#include "explain/kanji_preloader.h"

#include <gtest/gtest.h>

// The first mistake may come while the thread still reads: it must get the
// answers of sources read whole, not of half-read or unread ones.
TEST(KanjiPreloader, SourcesAskedWhileTheThreadReadsAnswerAsIfReadOnTheSpot) {
    KanjiSources preloaded;
    KanjiPreloader preloader(preloaded);
    preloader.start();
    preloaded.load();
    KanjiSources onTheSpot;
    onTheSpot.load();
    ASSERT_TRUE(onTheSpot.knowsChineseForms() && onTheSpot.knowsReadings())
        << "OpenCC's and KANJIDIC's Debian packages are installed";
    EXPECT_EQ(preloaded.chineseFormsOf(u'発'), onTheSpot.chineseFormsOf(u'発'));
    EXPECT_EQ(preloaded.readingsOf(u'持'), onTheSpot.readingsOf(u'持'));
    EXPECT_FALSE(preloaded.usedInJapanese(u'们'));
    EXPECT_EQ(preloaded.japaneseFormOf(u'图'), u"図");
}

// The program may close while the thread reads; the sources then outlive it.
TEST(KanjiPreloader, APreloaderGoneBeforeTheSourcesWereReadLeavesThemWhole) {
    KanjiSources kanji;
    {
        KanjiPreloader preloader(kanji);
        preloader.start();
        preloader.start();
    }
    EXPECT_TRUE(kanji.knowsReadings());
}
