#include <gtest/gtest.h>

#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/shell/collision.h"

namespace {

using Answer = Prompter::Answer;

TEST(Collision, PolicyAndAnswerDecide) {
    struct Row {
        CollisionPolicy policy;
        Answer answer;
        CollisionAction action;
    };
    const Row rows[] = {
        {CollisionPolicy::Prompt, Answer::Yes, CollisionAction::Replace},
        {CollisionPolicy::Prompt, Answer::No, CollisionAction::Skip},
        {CollisionPolicy::Prompt, Answer::Cancel, CollisionAction::Stop},
        {CollisionPolicy::Skip, Answer::Yes, CollisionAction::Skip},
        {CollisionPolicy::Replace, Answer::Cancel, CollisionAction::Replace},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DecideCollision(row.policy, row.answer), row.action)
            << int(row.policy) << '/' << int(row.answer);
}

TEST(Collision, OnlyPromptAsks) {
    ScriptedPrompter prompter;
    prompter.answers = {Answer::No, Answer::Cancel};
    EXPECT_EQ(ResolveCollision(CollisionPolicy::Replace, prompter, U("/m/a.mp3")),
              CollisionAction::Replace);
    EXPECT_EQ(ResolveCollision(CollisionPolicy::Skip, prompter, U("/m/a.mp3")),
              CollisionAction::Skip);
    EXPECT_TRUE(prompter.questions.isEmpty());
    EXPECT_EQ(ResolveCollision(CollisionPolicy::Prompt, prompter, U("/m/a.mp3")),
              CollisionAction::Skip);
    EXPECT_EQ(ResolveCollision(CollisionPolicy::Prompt, prompter, U("/m/b.mp3")),
              CollisionAction::Stop);
    EXPECT_EQ(prompter.questions.first(),
              U("Zarn|The file \"/m/a.mp3\" already exists!\nDo you want to replace it?"));
    EXPECT_EQ(prompter.questions.size(), 2);
}

TEST(Collision, SavedIndexGivesThePolicy) {
    EXPECT_EQ(CollisionPolicyOf(0), CollisionPolicy::Prompt);
    EXPECT_EQ(CollisionPolicyOf(1), CollisionPolicy::Skip);
    EXPECT_EQ(CollisionPolicyOf(2), CollisionPolicy::Replace);
    EXPECT_EQ(CollisionPolicyOf(7), CollisionPolicy::Prompt);
}

}  // namespace
