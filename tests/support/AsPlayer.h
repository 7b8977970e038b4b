#pragma once

#include <QTest>

#include <unistd.h>

// For as long as it lives, a process of root's acts as the user nobody: the
// folder and file rights are a player's, not root's, who may write anything.
// Root's rights come back after. Any other user is a player already.
class AsPlayer
{
public:
    AsPlayer()
    {
        if (geteuid() != 0)
            return;
        dropped = setresgid(nobody, nobody, 0) == 0 && setresuid(nobody, nobody, 0) == 0;
    }
    ~AsPlayer()
    {
        if (dropped)
            QVERIFY(setresuid(0, 0, 0) == 0 && setresgid(0, 0, 0) == 0);
    }
    AsPlayer(const AsPlayer&) = delete;
    AsPlayer& operator=(const AsPlayer&) = delete;

    // Whether the rights are a player's: root's own would allow everything.
    bool ok() const { return geteuid() != 0; }

private:
    static constexpr uid_t nobody = 65534;
    bool dropped = false;
};
