#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "services/SharedState.h"
#include "services/Sprachen.h"

namespace {

TEST(Sprachen, WithoutDatabaseTermsComeBackUnchanged) {
    services::Sprachen s;
    EXPECT_FALSE(s.hasDatenbank());
    const char* terms[] = {"Schleife", "Kurzschluß- strom", "&Grenzwerte...", "Sprache:", "...", "Ω µ ü"};
    for (const char* t : terms) EXPECT_EQ(s.xText(t), t);
    EXPECT_EQ(s.xText(""), "");
}

TEST(Sprachen, EmptyLanguageArgumentReceivesTheCurrentLanguage) {
    services::Sprachen s;
    std::string sprache;
    s.xText("Platz", sprache);
    EXPECT_EQ(sprache, s.sprache());
    std::string given = "English";
    EXPECT_EQ(s.xText("Platz", given), "Platz");
    EXPECT_EQ(given, "English");
}

TEST(SharedState, EngineAndTranslationObjectAreMadeOnceOnFirstUse) {
    services::SharedState st;
    EXPECT_FALSE(st.hasEngine());
    EXPECT_FALSE(st.hasObjSpra());
    services::Sprachen& a = st.objSpra();
    EXPECT_EQ(&a, &st.objSpra());
    engine::Engine& e = st.engine(rt::Regional::german());
    EXPECT_EQ(&e, &st.engine(rt::Regional::english()));
    EXPECT_EQ(e.regional().decimal, ",");   // the settings of the first use stay
    EXPECT_TRUE(st.replicaId.isEmpty());
    EXPECT_TRUE(st.appPath.isEmpty());
}

} // namespace
