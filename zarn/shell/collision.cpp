#include "zarn/shell/collision.h"

CollisionPolicy CollisionPolicyOf(int index) {
    switch (index) {
        case 1:
            return CollisionPolicy::Skip;
        case 2:
            return CollisionPolicy::Replace;
        default:
            return CollisionPolicy::Prompt;
    }
}

CollisionAction DecideCollision(CollisionPolicy policy, Prompter::Answer answer) {
    switch (policy) {
        case CollisionPolicy::Skip:
            return CollisionAction::Skip;
        case CollisionPolicy::Replace:
            return CollisionAction::Replace;
        case CollisionPolicy::Prompt:
            break;
    }
    switch (answer) {
        case Prompter::Answer::Yes:
            return CollisionAction::Replace;
        case Prompter::Answer::No:
            return CollisionAction::Skip;
        case Prompter::Answer::Cancel:
            break;
    }
    return CollisionAction::Stop;
}

QString CollisionQuestion(const QString& target) {
    return QStringLiteral("The file \"%1\" already exists!\nDo you want to replace it?")
        .arg(target);
}

CollisionAction ResolveCollision(CollisionPolicy policy, Prompter& prompter,
                                 const QString& target) {
    if (policy != CollisionPolicy::Prompt) return DecideCollision(policy, Prompter::Answer::Cancel);
    return DecideCollision(
        policy, prompter.question(QStringLiteral("Zarn"), CollisionQuestion(target), true));
}
