#pragma once
// Each part of a scheme describes its fields once: the name the registry gives the value (the
// scheme file's key is the same name for every field) and the member that holds it, a text or a
// number. The registry and file codecs walk these tables, each in its own order where the shell's
// layouts differ, and so do verify, show and the tool's JSON and pages.
#include <string>

template <class Owner> struct SectionField {
    const char* name;
    std::string Owner::*text; // a text field, or
    int Owner::*number;       // a number field
};

template <class Owner>
constexpr SectionField<Owner> TextField(const char* name, std::string Owner::*member) {
    return {name, member, nullptr};
}
template <class Owner>
constexpr SectionField<Owner> NumberField(const char* name, int Owner::*member) {
    return {name, nullptr, member};
}
