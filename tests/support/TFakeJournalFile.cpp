#include "TFakeJournalFile.h"

#include <algorithm>

namespace mecovnik::test {

bool TFakeJournalFile::Claim()
{
    ++Claims;
    Claimed = !HeldElsewhere;
    return Claimed;
}

TJournalFile::TReadResult TFakeJournalFile::ReadAll()
{
    ++Touches;
    if (!Claimed)
        return {TReadStatus::Failed, {}};
    if (!Content)
        return {TReadStatus::Missing, {}};
    return {TReadStatus::Read, *Content};
}

bool TFakeJournalFile::Append(std::string_view bytes)
{
    ++Touches;
    ++Appends;
    if (!Claimed)
        return false;
    if (FailAppends) {
        if (TornAppendBytes > 0)
            Content = Content.value_or(std::string()) +
                      std::string(bytes.substr(0, std::min(TornAppendBytes, bytes.size())));
        return false;
    }
    Content = Content.value_or(std::string()) + std::string(bytes);
    return true;
}

bool TFakeJournalFile::Replace(std::string_view bytes)
{
    ++Touches;
    ++Replaces;
    if (!Claimed || FailReplaces)
        return false;
    Content = std::string(bytes);
    return true;
}

bool TFakeJournalFile::Remove()
{
    ++Touches;
    ++Removes;
    if (!Claimed || FailRemoves)
        return false;
    Content.reset();
    return true;
}

bool TFakeJournalFile::KeepBackup()
{
    ++Touches;
    if (!Claimed || FailBackups)
        return false;
    if (Content)
        Backup = std::move(Content);
    Content.reset();
    return true;
}

} // namespace mecovnik::test
