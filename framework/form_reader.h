// Builds components from a parsed form description, in the phases of
// classic component streaming:
//   1. create each nested object (class looked up by name, owned by the root,
//      placed in its enclosing object, "loading" flag on);
//   2. assign its properties by name, dotted paths segment by segment, events
//      bound to the root's published methods;
//   3. fix up references to components named anywhere in the description;
//   4. bind the root's published fields, then call Loaded on every component
//      in creation order.
// A component that fails half-way is freed; the error names the description,
// the line and the offending name. Portable: no Win32 here.
#pragma once

#include "framework/form_parser.h"

// Reads the description into root, an existing object whose class is the
// description's outermost class (a form reads its own description).
void ReadComponent(TComponent& root, std::string_view text, const std::string& descriptionName);
