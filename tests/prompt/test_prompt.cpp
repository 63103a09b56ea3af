#include "prompt/prompter.h"
#include "scriptedprompter.h"

#include <gtest/gtest.h>

using namespace korvel;

TEST(FileFilter, dialogFilterBecomesQtFilter)
{
    EXPECT_EQ(qtFileFilter(QStringLiteral("All (*.*)|*.*|HTML|*.HTML;*.HTM")),
              QStringLiteral("All (*.*);;HTML (*.HTML *.HTM)"));
    EXPECT_EQ(qtFileFilter(QString()), QString());
}

TEST(ScriptedPrompter, answersInOrderAndRecordsUnscriptedQuestions)
{
    test::ScriptedPrompter p;
    p.answer(Answer::Yes);
    EXPECT_EQ(p.message(MessageKind::Confirmation, QStringLiteral("a"), Buttons::YesNoCancel), Answer::Yes);
    EXPECT_EQ(p.message(MessageKind::Confirmation, QStringLiteral("b"), Buttons::YesNoCancel), Answer::Cancel);
    EXPECT_EQ(p.message(MessageKind::Error, QStringLiteral("c"), Buttons::Ok), Answer::Ok);
    EXPECT_EQ(p.texts(), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    ASSERT_EQ(p.unexpected().size(), 1);
    EXPECT_TRUE(p.unexpected().first().endsWith(QStringLiteral("b")));
}
