#pragma once
// What happens when a file is about to land on a name that another file already has. Sorting
// and renaming from text share the policy ("If file exists:") and this one decision.
#include <QString>

#include "zarn/shell/prompter.h"

// The order of the "If file exists:" buttons, so a saved index converts directly.
enum class CollisionPolicy { Prompt = 0, Skip = 1, Replace = 2 };
enum class CollisionAction { Replace, Skip, Stop };

// An index outside 0..2 asks, the safe choice.
CollisionPolicy CollisionPolicyOf(int index);
// The decision for a policy; `answer` counts only for Prompt (Yes replaces, No skips, Cancel
// stops the whole run).
CollisionAction DecideCollision(CollisionPolicy policy, Prompter::Answer answer);
// "The file "<target>" already exists!", a line break, "Do you want to replace it?"
QString CollisionQuestion(const QString& target);
// Asks the prompter (Yes/No/Cancel) only when the policy is Prompt.
CollisionAction ResolveCollision(CollisionPolicy policy, Prompter& prompter, const QString& target);
