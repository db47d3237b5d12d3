#pragma once

#include <string>
#include <string_view>

// Attaching to the CMM software and releasing it.
namespace kvotlk {

struct Environment;
struct KvoObjects;

// True when KvoApp holds the running CMM software's application object. Attaches when
// the CMM software's main window exists. A held application whose CMM software has gone
// is dropped and attached anew.
bool ConnectToKvo(Environment& env, KvoObjects& g);

// True when a measuring program is open; sets KvoPartProg and strMessprogrammName (the
// program's file name without its 4-character extension).
bool GetOpenPartProg(KvoObjects& g);

// A part program's file name less its 4-character extension, as the measuring program's
// name is compared; empty for a name of 4 characters or fewer.
std::string PartProgBaseName(std::string_view fileName);

// Drops every reference to the CMM software's objects. Always true.
bool ReleaseKvoObjects(KvoObjects& g);

}  // namespace kvotlk
