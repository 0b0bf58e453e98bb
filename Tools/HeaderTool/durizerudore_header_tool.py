#!/usr/bin/env python3
"""The standalone build's header tool.

Reads the plugin's annotated headers (UCLASS, USTRUCT, UENUM, UPROPERTY, GENERATED_BODY) and writes, for
each header, the "<Header>.generated.h" that the header includes and a "<Header>.gen.cpp" to compile with
the module. The generated header defines the macro each GENERATED_BODY line expands to: the class's place
in the object system (DECLARE_CLASS, the constructor the object system calls) or a structure's
StaticStruct(). The generated source defines StaticClass()/StaticStruct() with every UPROPERTY member
registered as a reflected property, keeping the annotation's specifiers and metadata as written.
Everything comes from the annotations in the headers themselves.
"""

import argparse
import os
import re
import sys

ANNOTATION = re.compile(r"\b(USTRUCT|UCLASS|UENUM)\s*\(")
DECLARATION = re.compile(r"\s*(struct|class|enum\s+class|enum)\s+(?:\w+_API\s+)?(\w+)")
BASE = re.compile(r"\s*(?:final\s*)?:\s*(?:public\s+)?([\w:]+)")
GENERATED_BODY = re.compile(r"^\s*GENERATED(?:_USTRUCT|_UCLASS)?_BODY\s*\(")
UPROPERTY = re.compile(r"\bUPROPERTY\s*\(")
ACCESS = re.compile(r"\b(public|protected|private)\s*:(?!:)")
IDENTIFIER = re.compile(r"[A-Za-z_]\w*")

# C++ types of reflected members and the kind of property each becomes.
PLAIN_TYPES = {
    "bool": "Bool",
    "uint8": "Byte",
    "int32": "Int",
    "int": "Int",
    "int64": "Int64",
    "float": "Float",
    "double": "Double",
    "FString": "Str",
    "FName": "Name",
}
# The engine's own structures, reflected through TBaseStructure.
CORE_STRUCTS = {
    "FVector": "FVector",
    "FVector3d": "FVector",
    "TVector<double>": "FVector",
    "UE::Math::TVector<double>": "FVector",
    "FVector2D": "FVector2D",
    "TVector2<double>": "FVector2D",
    "UE::Math::TVector2<double>": "FVector2D",
    "FRotator": "FRotator",
    "FRotator3d": "FRotator",
    "TRotator<double>": "FRotator",
    "UE::Math::TRotator<double>": "FRotator",
    "FQuat": "FQuat",
    "TQuat<double>": "FQuat",
    "UE::Math::TQuat<double>": "FQuat",
    "FTransform": "FTransform",
    "TTransform<double>": "FTransform",
    "UE::Math::TTransform<double>": "FTransform",
}


class HeaderError(Exception):
    """An annotation the tool cannot read, at a line of the header."""

    def __init__(self, line, message):
        super().__init__(f"{line}: error: {message}")
        self.line = line
        self.message = message


def strip_comments(text):
    """Blanks out comments, keeping string literals and every line break, so that line numbers hold."""
    out = []
    index = 0
    length = len(text)
    while index < length:
        char = text[index]
        if char == '"':
            end = index + 1
            while end < length and text[end] != '"':
                end += 2 if text[end] == "\\" else 1
            out.append(text[index:end + 1])
            index = end + 1
        elif text.startswith("//", index):
            end = text.find("\n", index)
            end = length if end < 0 else end
            out.append(" " * (end - index))
            index = end
        elif text.startswith("/*", index):
            end = text.find("*/", index + 2)
            end = length if end < 0 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[index:end]))
            index = end
        else:
            out.append(char)
            index += 1
    return "".join(out)


def line_of(text, index):
    return text.count("\n", 0, index) + 1


def matching(text, open_index, opening, closing):
    """The index of the bracket closing the one at open_index; string literals are skipped."""
    depth = 0
    index = open_index
    while index < len(text):
        char = text[index]
        if char == '"':
            index += 1
            while index < len(text) and text[index] != '"':
                index += 2 if text[index] == "\\" else 1
        elif char == opening:
            depth += 1
        elif char == closing:
            depth -= 1
            if depth == 0:
                return index
        index += 1
    raise HeaderError(line_of(text, open_index), f"unbalanced '{opening}'")


def split_arguments(text):
    """Splits an annotation's argument list at the commas outside parentheses and string literals."""
    items = []
    depth = 0
    current = []
    index = 0
    while index < len(text):
        char = text[index]
        if char == '"':
            end = index + 1
            while end < len(text) and text[end] != '"':
                end += 2 if text[end] == "\\" else 1
            current.append(text[index:end + 1])
            index = end + 1
            continue
        if char in "(<":
            depth += 1
        elif char in ")>":
            depth -= 1
        if char == "," and depth == 0:
            items.append("".join(current).strip())
            current = []
        else:
            current.append(char)
        index += 1
    last = "".join(current).strip()
    if last:
        items.append(last)
    return [item for item in items if item]


def parse_annotation(arguments, line):
    """The specifiers as written (meta excluded) and the metadata pairs of meta = (...)."""
    specifiers = []
    metadata = []
    for item in split_arguments(arguments):
        key, _, value = item.partition("=")
        key = key.strip()
        if not IDENTIFIER.fullmatch(key):
            raise HeaderError(line, f"cannot read the annotation argument '{item}'")
        if key.lower() == "meta":
            value = value.strip()
            if not (value.startswith("(") and value.endswith(")")):
                raise HeaderError(line, f"meta needs a parenthesised list, not '{value}'")
            for pair in split_arguments(value[1:-1]):
                meta_key, has_value, meta_value = pair.partition("=")
                meta_key = meta_key.strip()
                if not IDENTIFIER.fullmatch(meta_key):
                    raise HeaderError(line, f"cannot read the metadata '{pair}'")
                metadata.append((meta_key, unquote(meta_value.strip(), line) if has_value else ""))
        else:
            specifiers.append(re.sub(r"\s+", " ", item))
    return specifiers, metadata


def unquote(value, line):
    """A metadata value: a string literal's text (escapes kept as written) or a bare word."""
    if value.startswith('"'):
        if not value.endswith('"') or len(value) < 2:
            raise HeaderError(line, f"unterminated string {value}")
        return value[1:-1]
    return value


def blank_nested_braces(body):
    """The body with the contents of nested braces blanked (line breaks kept): only member declarations remain."""
    out = list(body)
    index = 0
    while index < len(body):
        if body[index] == "{":
            close = matching(body, index, "{", "}")
            for inner in range(index + 1, close):
                if out[inner] != "\n":
                    out[inner] = " "
            index = close + 1
        else:
            index += 1
    return "".join(out)


def parse_member(declaration, line, types):
    """The name, C++ type and property kind of a UPROPERTY member declaration."""
    text = re.sub(r"\s+", " ", declaration).strip()
    for cut in ("=", "{"):
        depth = 0
        for index, char in enumerate(text):
            depth += char == "<"
            depth -= char == ">"
            if char == cut and depth == 0:
                text = text[:index].strip()
                break
    if ":" in text.replace("::", ""):
        raise HeaderError(line, f"bit-field properties are not supported: '{text}'")
    if "[" in text:
        raise HeaderError(line, f"array properties are not supported: '{text}'")
    match = re.fullmatch(r"(?:mutable\s+)?(.+?)\s*\b([A-Za-z_]\w*)", text)
    if match is None:
        raise HeaderError(line, f"cannot read the member declaration '{text}'")
    cpp_type = re.sub(r"\s*([<>*&,])\s*", r"\1", match.group(1)).strip()
    name = match.group(2)
    return {"name": name, "type": cpp_type, "line": line, **property_kind(cpp_type, line, types)}


def property_kind(cpp_type, line, types):
    if cpp_type in PLAIN_TYPES:
        return {"kind": PLAIN_TYPES[cpp_type], "struct": None}
    if re.fullmatch(r"TEnumAsByte<\w+>", cpp_type):
        return {"kind": "Byte", "struct": None}
    if cpp_type in CORE_STRUCTS:
        return {"kind": "Struct", "struct": f"TBaseStructure<{CORE_STRUCTS[cpp_type]}>::Get"}
    declared = types.get(cpp_type)
    if declared is not None and declared["annotation"] == "USTRUCT":
        return {"kind": "Struct", "struct": f"{cpp_type}::StaticStruct"}
    if declared is not None and declared["annotation"] == "UENUM":
        return {"kind": "Enum", "struct": None}
    if re.fullmatch(r"(?:class\s+)?\w+\*|TObjectPtr<\w+>", cpp_type):
        return {"kind": "Object", "struct": None}
    if re.fullmatch(r"TWeakObjectPtr<\w+>", cpp_type):
        return {"kind": "WeakObject", "struct": None}
    raise HeaderError(line, f"UPROPERTY of type '{cpp_type}' is not supported")


def parse_header(text, known_types=None, parse_bodies=True):
    """Returns the annotated types in order, and each GENERATED_BODY line with its enclosing type.

    known_types maps type names of the whole module to their declarations, so that a member's type
    may come from another header; without it only this header's types are known. Without
    parse_bodies only the annotations themselves are read.
    """
    clean = strip_comments(text)
    types = []
    for match in ANNOTATION.finditer(clean):
        close = matching(clean, match.end() - 1, "(", ")")
        declaration = DECLARATION.match(clean, close + 1)
        line = line_of(clean, match.start())
        if declaration is None:
            raise HeaderError(line, f"{match.group(1)} is not followed by a type declaration")
        specifiers, metadata = parse_annotation(clean[match.end():close], line)
        declared = {
            "annotation": match.group(1),
            "arguments": clean[match.end():close],
            "specifiers": specifiers,
            "metadata": metadata,
            "keyword": re.sub(r"\s+", " ", declaration.group(1)),
            "name": declaration.group(2),
            "line": line,
            "declaration_end": declaration.end(),
        }
        types.append(declared)
    bodies = []
    for number, line in enumerate(clean.split("\n"), start=1):
        if GENERATED_BODY.match(line):
            owner = None
            for declared in types:
                if declared["line"] <= number and declared["annotation"] != "UENUM":
                    owner = declared
            if owner is None:
                raise HeaderError(number, "GENERATED_BODY outside an annotated class or structure")
            bodies.append((number, owner))
    if not parse_bodies:
        return types, bodies
    all_types = dict(known_types or {})
    all_types.update({declared["name"]: declared for declared in types})
    for declared in types:
        if declared["annotation"] != "UENUM":
            parse_body(clean, declared, all_types)
    return types, bodies


def parse_body(clean, declared, types):
    """Fills in the base type, the constructors and the reflected members of a class or structure."""
    base = BASE.match(clean, declared["declaration_end"])
    declared["base"] = base.group(1) if base else None
    open_index = clean.find("{", declared["declaration_end"])
    if open_index < 0:
        raise HeaderError(declared["line"], f"{declared['name']} has no body")
    close_index = matching(clean, open_index, "{", "}")
    body = blank_nested_braces(clean[open_index + 1:close_index])
    offset = open_index + 1
    name = declared["name"]

    constructors = [m.group(1) for m in re.finditer(rf"(?<![~\w]){name}\s*\(([^)]*)\)", body)]
    declared["initializer_constructor"] = any("FObjectInitializer" in params for params in constructors)
    declared["has_constructor"] = bool(constructors)

    access = "private" if declared["keyword"] == "class" else "public"
    events = [(m.start(), "access", m.group(1)) for m in ACCESS.finditer(body)]
    events += [(m.start(), "body", None) for m in re.finditer(r"\bGENERATED(?:_USTRUCT|_UCLASS)?_BODY\s*\(", body)]
    events += [(m.start(), "property", m) for m in UPROPERTY.finditer(body)]
    properties = []
    for position, kind, value in sorted(events, key=lambda event: event[0]):
        if kind == "access":
            access = value
        elif kind == "body" and declared["annotation"] == "UCLASS":
            access = "private"
        elif kind == "property":
            line = line_of(clean, offset + position)
            close = matching(body, value.end() - 1, "(", ")")
            end = body.find(";", close)
            if end < 0:
                raise HeaderError(line, "UPROPERTY is not followed by a member declaration")
            specifiers, metadata = parse_annotation(body[value.end():close], line)
            member = parse_member(body[close + 1:end], line, types)
            member.update({"specifiers": specifiers, "metadata": metadata, "access": access})
            properties.append(member)
    declared["properties"] = properties
    if declared["base"] is not None and declared["annotation"] == "USTRUCT":
        base_declared = types.get(declared["base"])
        if base_declared is None or base_declared["annotation"] != "USTRUCT":
            raise HeaderError(declared["line"], f"the base of USTRUCT {name} must be a USTRUCT of this module, not '{declared['base']}'")
    if declared["annotation"] == "UCLASS" and declared["base"] is None:
        raise HeaderError(declared["line"], f"UCLASS {name} has no base class")


def file_id(module_name, relative_path):
    stem = re.sub(r"[^A-Za-z0-9]", "_", relative_path)
    return f"FID_{module_name}_{stem}"


def statics_name(declared):
    kind = "UScriptStruct" if declared["annotation"] == "USTRUCT" else "UClass"
    return f"Z_Construct_{kind}_{declared['name']}_Statics"


def class_flags(declared):
    flags = ["CLASS_Native"]
    if any(specifier.lower() == "abstract" for specifier in declared["specifiers"]):
        flags.append("CLASS_Abstract")
    return " | ".join(flags)


def body_macro(owner, module_name, api_macro):
    name = owner["name"]
    if owner["annotation"] == "USTRUCT":
        members = [f"friend struct {statics_name(owner)};", f"{api_macro} static class UScriptStruct* StaticStruct();"]
        if owner["base"]:
            members.append(f"typedef {owner['base']} Super;")
        return members
    members = [
        "public:",
        f"friend struct {statics_name(owner)};",
        f'DECLARE_CLASS({name}, {owner["base"]}, {class_flags(owner)}, CASTCLASS_None, TEXT("/Script/{module_name}"), {api_macro})',
    ]
    if owner["initializer_constructor"] or not owner["has_constructor"]:
        members.append(f"DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL({name})")
    else:
        members.append(f"DEFINE_DEFAULT_CONSTRUCTOR_CALL({name})")
    if not owner["has_constructor"]:
        members.append(f"{api_macro} {name}(const FObjectInitializer& ObjectInitializer = FObjectInitializer::Get());")
    # A class body leaves the access private after it, as the engine's does.
    members.append("private:")
    return members


def generate(module_name, relative_path, text, api_macro, known_types=None):
    """The generated header of one annotated header."""
    base = os.path.splitext(os.path.basename(relative_path))[0]
    guard = f"{module_name.upper()}_{base}_generated_h"
    fid = file_id(module_name, relative_path)
    types, bodies = parse_header(text, known_types)
    out = [
        f"// Generated by the DuRizerudore header tool from {relative_path}. Do not edit.",
        '#include "UObject/ObjectMacros.h"',
        "",
        f"#ifdef {guard}",
        f'#error "{base}.generated.h already included, missing \'#pragma once\' in {base}.h"',
        "#endif",
        f"#define {guard}",
        "",
        "#undef CURRENT_FILE_ID",
        f"#define CURRENT_FILE_ID {fid}",
        "",
    ]
    for line, owner in bodies:
        members = body_macro(owner, module_name, api_macro)
        out.append(f"#define {fid}_{line}_GENERATED_BODY \\")
        for index, member in enumerate(members):
            suffix = " \\" if index + 1 < len(members) else ""
            out.append(f"\t{member}{suffix}")
        out.append("")
    for declared in types:
        out.append(f"// {declared['annotation']} {declared['keyword']} {declared['name']} (line {declared['line']})")
    out.append("")
    return "\n".join(out)


def c_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def annotation_arrays(prefix, specifiers, metadata, statics):
    """Declarations (in the statics) and definitions of one annotation's specifier and metadata arrays."""
    declarations = []
    definitions = []
    specifier_ref = ("nullptr", 0)
    metadata_ref = ("nullptr", 0)
    if specifiers:
        declarations.append(f"\tstatic const char* const {prefix}_Specifiers[];")
        definitions.append(f"const char* const {statics}::{prefix}_Specifiers[] = {{{', '.join(c_string(s) for s in specifiers)}}};")
        specifier_ref = (f"{prefix}_Specifiers", len(specifiers))
    if metadata:
        declarations.append(f"\tstatic const UECodeGen_Private::FMetaDataPairParam {prefix}_MetaData[];")
        # Metadata values keep the escapes of the string literal they were written as.
        pairs = ", ".join(f'{{{c_string(key)}, "{value}"}}' for key, value in metadata)
        definitions.append(f"const UECodeGen_Private::FMetaDataPairParam {statics}::{prefix}_MetaData[] = {{{pairs}}};")
        metadata_ref = (f"{prefix}_MetaData", len(metadata))
    return declarations, definitions, specifier_ref, metadata_ref


ACCESS_FLAGS = {
    "public": "CPF_NativeAccessSpecifierPublic",
    "protected": "CPF_NativeAccessSpecifierProtected",
    "private": "CPF_NativeAccessSpecifierPrivate",
}


def type_statics(declared, module_name):
    """The statics structure of one class or structure, and the definitions of its records."""
    name = declared["name"]
    statics = statics_name(declared)
    declarations = []
    definitions = []
    for member in declared["properties"]:
        prefix = f"NewProp_{member['name']}"
        member_declarations, member_definitions, specifiers, metadata = annotation_arrays(prefix, member["specifiers"], member["metadata"], statics)
        declarations += member_declarations
        definitions += member_definitions
        declarations.append(f"\tstatic const UECodeGen_Private::FPropertyParams {prefix};")
        struct_function = f"&{member['struct']}" if member["struct"] else "nullptr"
        definitions.append(
            f"const UECodeGen_Private::FPropertyParams {statics}::{prefix} = {{"
            f"{c_string(member['name'])}, UECodeGen_Private::EPropertyGenFlags::{member['kind']}, {ACCESS_FLAGS[member['access']]}, "
            f"STRUCT_OFFSET({name}, {member['name']}), sizeof({name}::{member['name']}), {c_string(member['type'])}, {struct_function}, nullptr, nullptr, "
            f"{specifiers[0]}, {specifiers[1]}, {metadata[0]}, {metadata[1]}}};")
    property_ref = ("nullptr", 0)
    if declared["properties"]:
        declarations.append("\tstatic const UECodeGen_Private::FPropertyParams* const PropPointers[];")
        pointers = ", ".join(f"&{statics}::NewProp_{member['name']}" for member in declared["properties"])
        definitions.append(f"const UECodeGen_Private::FPropertyParams* const {statics}::PropPointers[] = {{{pointers}}};")
        property_ref = ("PropPointers", len(declared["properties"]))
    type_declarations, type_definitions, specifiers, metadata = annotation_arrays("Type", declared["specifiers"], declared["metadata"], statics)
    declarations += type_declarations
    definitions += type_definitions
    references = f"{property_ref[0]}, {property_ref[1]}, {specifiers[0]}, {specifiers[1]}, {metadata[0]}, {metadata[1]}"
    short_name = name[1:]
    out = [f"struct {statics}", "{"] + declarations
    if declared["annotation"] == "USTRUCT":
        out.append("\tstatic const UECodeGen_Private::FStructParams StructParams;")
        out += ["};"] + definitions
        super_function = f"&{declared['base']}::StaticStruct" if declared["base"] else "nullptr"
        out += [
            f"const UECodeGen_Private::FStructParams {statics}::StructParams = {{"
            f'"/Script/{module_name}", {c_string(short_name)}, {super_function}, sizeof({name}), alignof({name}), '
            f'[]() -> UScriptStruct::ICppStructOps* {{ return new UScriptStruct::TCppStructOps<{name}>(); }}, {references}}};',
            "",
            f"UScriptStruct* {name}::StaticStruct()",
            "{",
            "\tstatic UScriptStruct* Struct = nullptr;",
            "\tif (Struct == nullptr)",
            "\t{",
            f"\t\tUECodeGen_Private::ConstructUScriptStruct(Struct, {statics}::StructParams);",
            "\t}",
            "\treturn Struct;",
            "}",
        ]
        return out
    out.append("\tstatic const UECodeGen_Private::FClassParams ClassParams;")
    out += ["};"] + definitions
    out += [
        f"const UECodeGen_Private::FClassParams {statics}::ClassParams = {{{property_ref[0]}, {property_ref[1]}, nullptr, 0, nullptr, 0, nullptr, CLASS_None, "
        f"{specifiers[0]}, {specifiers[1]}, {metadata[0]}, {metadata[1]}}};",
        "",
        f"UClass* {name}::GetPrivateStaticClass()",
        "{",
        "\tstatic UClass* PrivateStaticClass = nullptr;",
        "\tif (PrivateStaticClass == nullptr)",
        "\t{",
        f"\t\tGetPrivateStaticClassBody(StaticPackage(), TEXT({c_string(short_name)}), PrivateStaticClass, sizeof({name}), alignof({name}),",
        f"\t\t\tStaticClassFlags, StaticClassCastFlags(), InternalConstructor<{name}>, &{name}::Super::StaticClass);",
        f"\t\tUECodeGen_Private::ConstructUClass(PrivateStaticClass, {statics}::ClassParams);",
        "\t}",
        "\treturn PrivateStaticClass;",
        "}",
    ]
    if not declared["has_constructor"]:
        out += ["", f"{name}::{name}(const FObjectInitializer& ObjectInitializer)", "\t: Super(ObjectInitializer)", "{", "}"]
    return out


def generate_source(module_name, relative_path, text, known_types=None):
    """The generated source of one annotated header: StaticClass and StaticStruct with their properties."""
    types, _ = parse_header(text, known_types)
    header = os.path.basename(relative_path)
    out = [
        f"// Generated by the DuRizerudore header tool from {relative_path}. Do not edit.",
        '#include "UObject/GeneratedCppIncludes.h"',
        f'#include "{header}"',
        "",
    ]
    for declared in types:
        if declared["annotation"] != "UENUM":
            out += type_statics(declared, module_name) + [""]
    return "\n".join(out)


def write_if_changed(path, content):
    if os.path.exists(path):
        with open(path, encoding="utf-8") as existing:
            if existing.read() == content:
                return
    temporary = path + ".tmp"
    with open(temporary, "w", encoding="utf-8") as output:
        output.write(content)
    os.replace(temporary, path)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--module-name", required=True)
    parser.add_argument("--module-root", required=True, help="directory holding Public/ and Private/")
    parser.add_argument("--output-dir", required=True)
    parser.add_argument("headers", nargs="+")
    args = parser.parse_args(argv)

    os.makedirs(args.output_dir, exist_ok=True)
    api_macro = f"{args.module_name.upper()}_API"
    texts = {}
    known_types = {}
    try:
        for header in args.headers:
            with open(header, encoding="utf-8") as source:
                texts[header] = source.read()
            current = header
            types, _ = parse_header(texts[header], parse_bodies=False)
            known_types.update({declared["name"]: declared for declared in types})
        for header, text in texts.items():
            current = header
            relative = os.path.relpath(header, args.module_root).replace(os.sep, "/")
            base = os.path.splitext(os.path.basename(header))[0]
            write_if_changed(os.path.join(args.output_dir, f"{base}.generated.h"), generate(args.module_name, relative, text, api_macro, known_types))
            write_if_changed(os.path.join(args.output_dir, f"{base}.gen.cpp"), generate_source(args.module_name, relative, text, known_types))
    except HeaderError as error:
        print(f"{current}:{error.line}: error: {error.message}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
