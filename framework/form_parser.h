// Text form descriptions, parsed into a tree. The format:
//
//   object PageName: TPageClass
//     Caption = 'Alege'#13#10'calea'     strings in single quotes, #nn codes
//     Left = 10                          integers (decimal, $hex, negative)
//     Font.Style = [fsBold]              dotted paths, sets in brackets
//     Items = ('unu' 'doi')              lists in parentheses
//     Glyph = {424D...}                  binary data in hex (a .bmp file)
//     OnClick = BNextClick               identifiers (methods, enumerations, colours, components)
//     object BNext: TButton              nested objects
//     end
//   end
//
// A description of a derived form may start with "inherited" instead of
// "object": it is read over what the form already holds (its base class
// read the base description), and its "inherited" objects name components
// that exist already, to change them; its "object"s are new ones.
//
// A long string may continue on the next line after a '+'. Errors name the
// description, the line and the offending text. Portable: no Win32 here.
#pragma once

#include "framework/properties.h"

#include <string>
#include <string_view>
#include <vector>

class EFormError : public std::runtime_error {
public:
    EFormError(const std::string& description, int line, const std::string& message);
    const std::string& Description() const { return description_; }
    int Line() const { return line_; }

private:
    std::string description_;
    int line_;
};

struct PropAssignment {
    std::string path;  // "Font.Style"
    PropValue value;
    int line = 0;
};

struct ObjectDesc {
    bool inherited = false;  // changes an existing object instead of making one
    std::string name;
    std::string className;
    int line = 0;
    std::vector<PropAssignment> properties;
    std::vector<ObjectDesc> children;
};

// descriptionName is used in error messages only.
ObjectDesc ParseFormDescription(std::string_view text, const std::string& descriptionName);
