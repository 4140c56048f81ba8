#pragma once
// Opens a link in the user's browser, the way the shell opens an address.
//
// - Only http and https addresses are opened (any case of the scheme). A target ending in
//   ".url" is an internet-shortcut file: the address on its "URL=" line is opened instead.
//   Anything else (other schemes, plain files, programs) is refused.
// - The browser is started through xdg-open as a separate program, never through a shell, and
//   the call does not wait for it: true means xdg-open was started, not that a page is showing.
// - A test installs its own opener, so no browser is ever started by a test.

#include <string>

namespace Vuro::Platform {

// The address a target names: the target itself when it is an http or https address, the
// "URL=" line of a ".url" file; empty when neither.
std::string LinkAddress(const std::string& target);

// Opens the target's address; false when it names none or the opener could not start.
bool OpenLink(const std::string& target);

// Receives the address once the target was checked; answers whether it could be opened.
using LinkOpener = bool (*)(const std::string& address);
// Returns the previous opener; null restores xdg-open.
LinkOpener SetLinkOpener(LinkOpener opener);

} // namespace Vuro::Platform
