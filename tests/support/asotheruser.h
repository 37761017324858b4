#pragma once
// Runs a check as an ordinary account. Root may write any file whatever its
// mode bits say, so as root the check runs in a child process that has
// become the account "nobody"; as any other user it simply runs here.

#include <QString>
#include <functional>

// The text `check` returns, as seen by an account that is not root; a text
// starting with "(" when the child could not run it.
QString asOrdinaryUser(const std::function<QString()>& check);
