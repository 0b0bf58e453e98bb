"""What the header tool reads from annotated headers: types, members, functions and their metadata.

The parser works on a copy of the header whose comments are blanked (line numbers kept), and reads the
original text only for the doc comment that precedes an annotation. Each annotation is turned into the
flags and metadata the engine's header tool gives it; every rule the engine's tool enforces that the
module relies on is checked here, with the line it fails at.
"""

import re

ANNOTATION = re.compile(r"\b(USTRUCT|UCLASS|UENUM)\s*\(")
DECLARATION = re.compile(r"\s*(struct|class|enum\s+class|enum)\s+(?:\w+_API\s+)?(\w+)")
BASE = re.compile(r"\s*(?:final\s*)?:\s*(?:public\s+)?([\w:]+)")
UNDERLYING = re.compile(r"\s*:\s*([\w:]+)")
GENERATED_BODY = re.compile(r"^\s*GENERATED(?:_USTRUCT|_UCLASS)?_BODY\s*\(")
MEMBER_ANNOTATION = re.compile(r"\b(UPROPERTY|UFUNCTION)\s*\(")
ACCESS = re.compile(r"\b(public|protected|private)\s*:(?!:)")
IDENTIFIER = re.compile(r"[A-Za-z_]\w*")
DYNAMIC_DELEGATE = re.compile(r"\bDECLARE_DYNAMIC_(MULTICAST_)?(?:SPARSE_)?DELEGATE(?:_(\w+))?\s*\(")
DELEGATE_PARAMETER_COUNTS = {None: 0, "OneParam": 1, "TwoParams": 2, "ThreeParams": 3}

# C++ types of reflected values and the kind of property each becomes.
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
# The engine's own structures, reflected through TBaseStructure, by every spelling of their type.
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

# Specifiers each annotation accepts (lower case), as the engine's header tool knows them.
CLASS_SPECIFIERS = {
    "abstract", "blueprintable", "notblueprintable", "blueprinttype", "notblueprinttype", "hidecategories",
    "showcategories", "classgroup", "config", "defaultconfig", "minimalapi", "transient", "notplaceable",
    "placeable", "editinlinenew", "collapsecategories", "defaulttoinstanced", "within", "meta",
}
STRUCT_SPECIFIERS = {"blueprinttype", "atomic", "immutable", "noexport", "meta"}
ENUM_SPECIFIERS = {"blueprinttype", "flags", "meta"}
EDIT_SPECIFIERS = {
    "editanywhere": ("CPF_Edit",),
    "editinstanceonly": ("CPF_Edit", "CPF_DisableEditOnTemplate"),
    "editdefaultsonly": ("CPF_Edit", "CPF_DisableEditOnInstance"),
    "visibleanywhere": ("CPF_Edit", "CPF_EditConst"),
    "visibleinstanceonly": ("CPF_Edit", "CPF_EditConst", "CPF_DisableEditOnTemplate"),
    "visibledefaultsonly": ("CPF_Edit", "CPF_EditConst", "CPF_DisableEditOnInstance"),
}
PROPERTY_FLAG_SPECIFIERS = {
    "transient": ("CPF_Transient",),
    "config": ("CPF_Config",),
    "globalconfig": ("CPF_GlobalConfig", "CPF_Config"),
    "savegame": ("CPF_SaveGame",),
    "replicated": ("CPF_Net",),
    "advanceddisplay": ("CPF_AdvancedDisplay",),
    "simpledisplay": ("CPF_SimpleDisplay",),
    "noclear": ("CPF_NoClear",),
    "duplicatetransient": ("CPF_DuplicateTransient",),
    "nontransactional": ("CPF_NonTransactional",),
    "editfixedsize": ("CPF_EditFixedSize",),
    "interp": ("CPF_Edit", "CPF_BlueprintVisible", "CPF_Interp"),
}
PROPERTY_SPECIFIERS = set(EDIT_SPECIFIERS) | set(PROPERTY_FLAG_SPECIFIERS) | {
    "blueprintreadwrite", "blueprintreadonly", "blueprintgetter", "blueprintsetter", "blueprintassignable", "category", "meta",
}
FUNCTION_SPECIFIERS = {
    "blueprintcallable", "blueprintpure", "blueprintgetter", "blueprintsetter", "category", "callineditor",
    "blueprintauthorityonly", "blueprintcosmetic", "meta",
}
ACCESS_PROPERTY_FLAGS = {
    "public": "CPF_NativeAccessSpecifierPublic",
    "protected": "CPF_NativeAccessSpecifierProtected",
    "private": "CPF_NativeAccessSpecifierPrivate",
}
ACCESS_FUNCTION_FLAGS = {"public": "FUNC_Public", "protected": "FUNC_Protected", "private": "FUNC_Private"}


class HeaderError(Exception):
    """An annotation the tool cannot read or the engine's tool would refuse, at a line of the header."""

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
    """Splits a list at the commas outside brackets and string literals."""
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
        if char in "(<{[":
            depth += 1
        elif char in ")>}]":
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


def unquote(value, line):
    """A value as written: a string literal's text with its escapes resolved, or a bare word."""
    if not value.startswith('"'):
        return value
    if not value.endswith('"') or len(value) < 2:
        raise HeaderError(line, f"unterminated string {value}")
    escapes = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}
    return re.sub(r"\\(.)", lambda match: escapes.get(match.group(1), match.group(0)), value[1:-1])


def parse_annotation(arguments, line, allowed, what):
    """The specifiers (lower-case key, value or None, as written) and the metadata pairs of meta = (...)."""
    specifiers = []
    metadata = []
    for item in split_arguments(arguments):
        key, has_value, value = item.partition("=")
        key = key.strip()
        if not IDENTIFIER.fullmatch(key):
            raise HeaderError(line, f"cannot read the annotation argument '{item}'")
        if key.lower() not in allowed:
            raise HeaderError(line, f"unknown {what} specifier '{key}'")
        value = value.strip()
        if key.lower() == "meta":
            if not (value.startswith("(") and value.endswith(")")):
                raise HeaderError(line, f"meta needs a parenthesised list, not '{value}'")
            for pair in split_arguments(value[1:-1]):
                meta_key, meta_has_value, meta_value = pair.partition("=")
                meta_key = meta_key.strip()
                if not IDENTIFIER.fullmatch(meta_key):
                    raise HeaderError(line, f"cannot read the metadata '{pair}'")
                metadata.append((meta_key, unquote(meta_value.strip(), line) if meta_has_value else ""))
        else:
            specifiers.append((key.lower(), key, value_list(value, line) if has_value else None))
    return specifiers, metadata


def value_list(value, line):
    """A specifier value: a word, a string, or a parenthesised list of them (returned as a list)."""
    if value.startswith("(") and value.endswith(")"):
        return [unquote(item.strip(), line) for item in split_arguments(value[1:-1])]
    return unquote(value, line)


def specifier(specifiers, key):
    """The value of the specifier (True without a value), or None when absent."""
    for lower, _, value in specifiers:
        if lower == key:
            return True if value is None else value
    return None


def doc_comment(text, index):
    """The /** ... */ comment that ends right before index (only whitespace between), or None."""
    before = text[:index].rstrip()
    if not before.endswith("*/"):
        return None
    start = before.rfind("/*")
    if start < 0 or not before.startswith("/**", start):
        return None
    return before[start:]


def tooltip_of(comment):
    """The tooltip the engine's header tool makes of a doc comment: its lines without markers or indentation."""
    body = comment[3:-2]
    lines = [re.sub(r"^\*+", "", line.strip()).strip() for line in body.split("\n")]
    while lines and not lines[0]:
        lines.pop(0)
    while lines and not lines[-1]:
        lines.pop()
    return "\n".join(lines)


def comment_metadata(text, index, metadata):
    """Adds ToolTip (unless given) and Comment from the doc comment before index."""
    comment = doc_comment(text, index)
    if comment is None:
        return metadata
    keys = {key for key, _ in metadata}
    extra = [("Comment", comment)]
    if "ToolTip" not in keys:
        extra.append(("ToolTip", tooltip_of(comment)))
    return metadata + extra


def normalise_type(cpp_type):
    return re.sub(r"\s*([<>*&,])\s*", r"\1", re.sub(r"\s+", " ", cpp_type)).strip()


def value_kind(cpp_type, line, types, for_member):
    """The property kind of a value of the C++ type, with the function that reflects its type."""
    if cpp_type in PLAIN_TYPES:
        return {"kind": PLAIN_TYPES[cpp_type]}
    match = re.fullmatch(r"TEnumAsByte<(\w+)>", cpp_type)
    if match:
        declared = types.get(match.group(1))
        if declared is None or declared["annotation"] != "UENUM":
            raise HeaderError(line, f"TEnumAsByte of '{match.group(1)}', which is not a UENUM")
        return {"kind": "Byte", "enum": match.group(1)}
    if cpp_type in CORE_STRUCTS:
        return {"kind": "Struct", "struct": f"TBaseStructure<{CORE_STRUCTS[cpp_type]}>::Get"}
    declared = types.get(cpp_type)
    if declared is not None and declared["annotation"] == "USTRUCT":
        return {"kind": "Struct", "struct": f"{cpp_type}::StaticStruct"}
    if declared is not None and declared["annotation"] == "UENUM":
        if declared["keyword"] == "enum":
            if for_member:
                raise HeaderError(line, f"you cannot use the raw enum name '{cpp_type}' as a type for member variables, "
                                        "use TEnumAsByte or an enum class with an explicit underlying type")
            return {"kind": "Byte", "enum": cpp_type}
        return {"kind": "Enum", "enum": cpp_type}
    if declared is not None and declared["annotation"] == "DELEGATE":
        if not for_member:
            raise HeaderError(line, f"the dynamic delegate '{cpp_type}' is not supported as a function parameter")
        return {"kind": "InlineMulticastDelegate", "delegate": cpp_type}
    match = re.fullmatch(r"(?:const )?(?:class )?(\w+)\*|TObjectPtr<(\w+)>", cpp_type)
    if match:
        return {"kind": "Object", "class": match.group(1) or match.group(2)}
    match = re.fullmatch(r"TWeakObjectPtr<(\w+)>", cpp_type)
    if match:
        return {"kind": "WeakObject", "class": match.group(1)}
    return None


def canonical_type(cpp_type):
    return CORE_STRUCTS.get(cpp_type, cpp_type)


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


def cut_initializer(text):
    """The declaration without a default member initializer or default argument."""
    depth = 0
    for index, char in enumerate(text):
        depth += char in "<(["
        depth -= char in ">)]"
        if char in "={" and depth == 0:
            return text[:index].strip()
    return text.strip()


def parse_member(declaration, line, types):
    """The name, C++ type and property kind of a UPROPERTY member declaration."""
    text = cut_initializer(re.sub(r"\s+", " ", declaration).strip())
    if ":" in text.replace("::", ""):
        raise HeaderError(line, f"bit-field properties are not supported: '{text}'")
    if "[" in text:
        raise HeaderError(line, f"array properties are not supported: '{text}'")
    match = re.fullmatch(r"(?:mutable\s+)?(.+?)\s*\b([A-Za-z_]\w*)", text)
    if match is None:
        raise HeaderError(line, f"cannot read the member declaration '{text}'")
    cpp_type = normalise_type(match.group(1))
    kind = value_kind(cpp_type, line, types, for_member=True)
    if kind is None:
        raise HeaderError(line, f"UPROPERTY of type '{cpp_type}' is not supported")
    return {"name": match.group(2), "type": cpp_type, "line": line, **kind}


def parse_parameter(text, line, types, function_name):
    """A function parameter: its name, the value type it carries and how it is passed."""
    text = re.sub(r"\bUPARAM\s*\([^)]*\)", "", text)
    text = cut_initializer(re.sub(r"\s+", " ", text).strip())
    match = re.fullmatch(r"(.+?)\s*\b([A-Za-z_]\w*)", text)
    if match is None:
        raise HeaderError(line, f"cannot read the parameter '{text}' of {function_name}")
    written = normalise_type(match.group(1))
    passing = "value"
    value_type = written
    if written.endswith("&"):
        value_type = written[:-1]
        passing = "ref"
        if value_type.startswith("const "):
            value_type = value_type[len("const "):]
            passing = "const_ref"
    elif written.startswith("const ") and not written.endswith("*"):
        value_type = written[len("const "):]
    kind = array_kind(value_type, line, types, function_name, match.group(2)) or value_kind(value_type, line, types, for_member=False)
    if kind is None:
        raise HeaderError(line, f"type '{value_type}' is not supported by blueprint: function {function_name}, parameter {match.group(2)}")
    # The reflected type drops a pointer's constness, which CPF_ConstParm carries; the parameter block keeps it.
    reflected_type = value_type[len("const "):] if value_type.startswith("const ") else value_type
    return {"name": match.group(2), "type": reflected_type, "block_type": value_type, "written": written, "passing": passing, **kind}


def array_kind(cpp_type, line, types, function_name, parameter_name):
    """The Array kind of a TArray<T> parameter, with its element's kind as "inner"; None for other types."""
    match = re.fullmatch(r"TArray<(.+)>", cpp_type)
    if match is None:
        return None
    element = match.group(1)
    inner = value_kind(element, line, types, for_member=True)
    if inner is None or element == "bool" or element.startswith("TArray<"):
        raise HeaderError(line, f"an array of '{element}' is not supported: function {function_name}, parameter {parameter_name}")
    return {"kind": "Array", "inner": {"type": element, **inner}}


def parse_function(declaration, line, types, specifiers, metadata, access, class_name):
    """A UFUNCTION declaration: name, static/const, return value and parameters, with its flags."""
    text = re.sub(r"\s+", " ", declaration).strip()
    open_index = text.find("(")
    if open_index < 0:
        raise HeaderError(line, "UFUNCTION is not followed by a function declaration")
    close_index = matching(text, open_index, "(", ")")
    head = text[:open_index].strip()
    tail = text[close_index + 1:].strip()
    head_match = re.fullmatch(r"((?:(?:static|virtual|inline|FORCEINLINE)\s+)*)(.+?)\s*\b([A-Za-z_]\w*)", head)
    if head_match is None:
        raise HeaderError(line, f"cannot read the function declaration '{text}'")
    qualifiers = head_match.group(1).split()
    name = head_match.group(3)
    if "virtual" in qualifiers:
        raise HeaderError(line, f"UFUNCTION {name}: virtual native functions are not supported")
    is_static = "static" in qualifiers
    is_const = re.match(r"const\b", tail) is not None
    return_type = normalise_type(head_match.group(2))
    parameters = [parse_parameter(item, line, types, name) for item in split_arguments(text[open_index + 1:close_index])]
    if return_type != "void":
        kind = value_kind(return_type, line, types, for_member=False)
        if kind is None:
            raise HeaderError(line, f"type '{return_type}' is not supported by blueprint: return value of function {name}")
        parameters.append({"name": "ReturnValue", "type": return_type, "block_type": return_type, "written": return_type, "passing": "return", **kind})
    function = {
        "name": name, "line": line, "static": is_static, "const": is_const, "access": access,
        "return_type": return_type, "parameters": parameters, "specifiers": specifiers,
    }
    function["flags"], function["metadata"] = function_flags(function, metadata, line)
    return function


def function_flags(function, metadata, line):
    """The engine's function flags and metadata of a UFUNCTION."""
    specifiers = function["specifiers"]
    flags = ["FUNC_Final", "FUNC_Native", ACCESS_FUNCTION_FLAGS[function["access"]]]
    metadata = list(metadata)
    if function["static"]:
        flags.append("FUNC_Static")
    if function["const"]:
        flags.append("FUNC_Const")
    if specifier(specifiers, "blueprintcallable"):
        flags.append("FUNC_BlueprintCallable")
    if specifier(specifiers, "blueprintpure"):
        flags += ["FUNC_BlueprintCallable", "FUNC_BlueprintPure"]
    if specifier(specifiers, "blueprintgetter"):
        flags += ["FUNC_BlueprintCallable", "FUNC_BlueprintPure"]
        metadata.append(("BlueprintGetter", ""))
    if specifier(specifiers, "blueprintsetter"):
        flags.append("FUNC_BlueprintCallable")
        metadata.append(("BlueprintSetter", ""))
    if specifier(specifiers, "blueprintauthorityonly"):
        flags.append("FUNC_BlueprintAuthorityOnly")
    if specifier(specifiers, "blueprintcosmetic"):
        flags.append("FUNC_BlueprintCosmetic")
    category = specifier(specifiers, "category")
    if category is not None:
        metadata.append(("Category", category))
    if specifier(specifiers, "callineditor"):
        metadata.append(("CallInEditor", "true"))
    outputs = [p for p in function["parameters"] if p["passing"] in ("ref", "return")]
    # As the engine's tool does: a return value alone is not an out parameter of the function.
    if any(p["passing"] in ("ref", "const_ref") for p in function["parameters"]):
        flags.append("FUNC_HasOutParms")
    if "FUNC_BlueprintPure" in flags and not outputs:
        raise HeaderError(line, f"BlueprintPure specifier is not allowed for functions with no return value and no output parameters ({function['name']})")
    world_context = dict(metadata).get("WorldContext")
    if world_context is not None and world_context not in [p["name"] for p in function["parameters"]]:
        raise HeaderError(line, f"function {function['name']} has no parameter named '{world_context}' for its WorldContext")
    return sorted(set(flags)), metadata


def property_flags(member, line):
    """The engine's property flags and metadata of a UPROPERTY, checked as the engine's tool checks them."""
    specifiers = member["specifiers"]
    flags = [ACCESS_PROPERTY_FLAGS[member["access"]]]
    metadata = list(member["metadata"])
    edits = [original for lower, original, _ in specifiers if lower in EDIT_SPECIFIERS]
    if len(edits) > 1:
        raise HeaderError(line, f"found more than one edit/visibility specifier ({', '.join(edits)}), only one is allowed")
    for lower, _, _ in specifiers:
        flags += EDIT_SPECIFIERS.get(lower, ()) + PROPERTY_FLAG_SPECIFIERS.get(lower, ())
    read_write = specifier(specifiers, "blueprintreadwrite")
    read_only = specifier(specifiers, "blueprintreadonly")
    getter = specifier(specifiers, "blueprintgetter")
    setter = specifier(specifiers, "blueprintsetter")
    if read_write and read_only:
        raise HeaderError(line, f"cannot specify both BlueprintReadOnly and BlueprintReadWrite on {member['name']}")
    if read_only and setter:
        raise HeaderError(line, f"cannot specify {member['name']} as being both BlueprintReadOnly and having a BlueprintSetter")
    for name, value in (("BlueprintGetter", getter), ("BlueprintSetter", setter)):
        if value is True or isinstance(value, list):
            raise HeaderError(line, f"{name} on {member['name']} needs one function name")
        if value is not None:
            metadata.append((name, value))
    if specifier(specifiers, "blueprintassignable"):
        if member["kind"] != "InlineMulticastDelegate":
            raise HeaderError(line, f"'BlueprintAssignable' is only allowed on multicast delegate properties ({member['name']})")
        flags.append("CPF_BlueprintAssignable")
    elif member["kind"] == "InlineMulticastDelegate" and (read_write or read_only or getter or setter):
        raise HeaderError(line, f"multicast delegate {member['name']} is reached by scripts through BlueprintAssignable, not as a value")
    if read_write or read_only or getter or setter:
        flags.append("CPF_BlueprintVisible")
    if read_only or (getter and not setter and not read_write):
        flags.append("CPF_BlueprintReadOnly")
    private_access = dict(member["metadata"]).get("AllowPrivateAccess", "false").lower() == "true"
    if member["access"] == "private" and not private_access:
        for name, value in (("BlueprintReadWrite", read_write), ("BlueprintReadOnly", read_only)):
            if value:
                raise HeaderError(line, f"{name} should not be used on private members ({member['name']})")
    category = specifier(specifiers, "category")
    if category is not None:
        metadata.append(("Category", category))
    return sorted(set(flags)), metadata


def check_accessors(declared):
    """Checks each property's BlueprintGetter and BlueprintSetter against the functions they name."""
    functions = {function["name"]: function for function in declared.get("functions", [])}
    for member in declared.get("properties", []):
        meta = dict(member["metadata"])
        line = member["line"]
        property_type = canonical_type(member["type"])
        getter_name = meta.get("BlueprintGetter")
        if getter_name is not None:
            getter = functions.get(getter_name)
            if getter is None:
                raise HeaderError(line, f"blueprint property getter function {getter_name} not found")
            inputs = [p for p in getter["parameters"] if p["passing"] != "return"]
            if inputs:
                raise HeaderError(line, f"blueprint property getter function {getter_name} must not have parameters")
            if canonical_type(getter["return_type"]) != property_type:
                raise HeaderError(line, f"blueprint property getter function {getter_name} must return {member['type']}, not {getter['return_type']}")
            if not getter["const"] and not getter["static"]:
                raise HeaderError(line, f"blueprint property getter function {getter_name} must be const")
            if "FUNC_BlueprintPure" not in getter["flags"]:
                raise HeaderError(line, f"blueprint property getter function {getter_name} must be a BlueprintGetter or BlueprintPure")
        setter_name = meta.get("BlueprintSetter")
        if setter_name is not None:
            setter = functions.get(setter_name)
            if setter is None:
                raise HeaderError(line, f"blueprint property setter function {setter_name} not found")
            inputs = [p for p in setter["parameters"] if p["passing"] != "return"]
            if setter["return_type"] != "void":
                raise HeaderError(line, f"blueprint property setter function {setter_name} must not have a return value")
            if len(inputs) != 1:
                raise HeaderError(line, f"blueprint property setter function {setter_name} must have exactly one parameter")
            if canonical_type(inputs[0]["type"]) != property_type or inputs[0]["passing"] not in ("value", "const_ref"):
                raise HeaderError(line, f"blueprint property setter function {setter_name} must take {member['type']} by value or const reference, "
                                        f"not '{inputs[0]['written']}'")
            if "FUNC_BlueprintCallable" not in setter["flags"]:
                raise HeaderError(line, f"blueprint property setter function {setter_name} must be a BlueprintSetter or BlueprintCallable")


def parse_enum_entries(clean, declared):
    """The entries of a UENUM: name, value (explicit or one above the previous) and UMETA metadata."""
    open_index = clean.find("{", declared["declaration_end"])
    if open_index < 0:
        raise HeaderError(declared["line"], f"UENUM {declared['name']} has no entries")
    close_index = matching(clean, open_index, "{", "}")
    entries = []
    value = -1
    position = open_index + 1
    for item in split_arguments(clean[open_index + 1:close_index]):
        line = line_of(clean, clean.find(item, position))
        position = clean.find(item, position) + len(item)
        metadata = []
        umeta = re.search(r"\bUMETA\s*\(", item)
        if umeta:
            close = matching(item, umeta.end() - 1, "(", ")")
            for pair in split_arguments(item[umeta.end():close]):
                key, has_value, meta_value = pair.partition("=")
                metadata.append((key.strip(), unquote(meta_value.strip(), line) if has_value else ""))
            item = item[:umeta.start()] + item[close + 1:]
        name, has_value, expression = item.partition("=")
        name = name.strip()
        if not IDENTIFIER.fullmatch(name):
            raise HeaderError(line, f"cannot read the enumerator '{item.strip()}'")
        if has_value:
            try:
                value = int(expression.strip(), 0)
            except ValueError:
                raise HeaderError(line, f"the value of enumerator {name} must be an integer literal, not '{expression.strip()}'")
        else:
            value += 1
        entries.append({"name": name, "value": value, "metadata": metadata, "line": line})
    declared["entries"] = entries


def parse_header(text, known_types=None, parse_bodies=True):
    """Returns the annotated types in order, and each GENERATED_BODY line with its enclosing type.

    known_types maps type names of the whole module (and of the engine headers it builds on) to their
    declarations, so that a member's type or a class's base may come from another header; without it
    only this header's types are known. Without parse_bodies only the annotations themselves are read.
    """
    clean = strip_comments(text)
    types = []
    for match in ANNOTATION.finditer(clean):
        close = matching(clean, match.end() - 1, "(", ")")
        declaration = DECLARATION.match(clean, close + 1)
        line = line_of(clean, match.start())
        if declaration is None:
            raise HeaderError(line, f"{match.group(1)} is not followed by a type declaration")
        allowed = {"UCLASS": CLASS_SPECIFIERS, "USTRUCT": STRUCT_SPECIFIERS, "UENUM": ENUM_SPECIFIERS}[match.group(1)]
        specifiers, metadata = parse_annotation(clean[match.end():close], line, allowed, match.group(1)[1:].lower())
        keyword = re.sub(r"\s+", " ", declaration.group(1))
        base = BASE.match(clean, declaration.end()) if keyword != "enum class" and keyword != "enum" else None
        underlying = UNDERLYING.match(clean, declaration.end()) if keyword.startswith("enum") else None
        declared = {
            "annotation": match.group(1),
            "specifiers": specifiers,
            "metadata": comment_metadata(text, match.start(), metadata),
            "keyword": keyword,
            "name": declaration.group(2),
            "api": re.search(r"\w+_API\b", clean[declaration.start():declaration.end()]) is not None,
            "line": line,
            "declaration_end": declaration.end(),
            "base": base.group(1) if base else None,
            "underlying": underlying.group(1) if underlying else None,
        }
        types.append(declared)
    types += parse_delegates(text, clean, types)
    bodies = []
    for number, line in enumerate(clean.split("\n"), start=1):
        if GENERATED_BODY.match(line):
            owner = None
            for declared in types:
                if declared["line"] <= number and declared["annotation"] in ("UCLASS", "USTRUCT"):
                    owner = declared
            if owner is None:
                raise HeaderError(number, "GENERATED_BODY outside an annotated class or structure")
            bodies.append((number, owner))
    if not parse_bodies:
        return types, bodies
    all_types = dict(known_types or {})
    all_types.update({declared["name"]: declared for declared in types})
    for declared in types:
        if declared["annotation"] == "DELEGATE":
            declared["parameters"] = [parse_parameter(f"{cpp_type} {name}", declared["line"], all_types, declared["name"])
                                      for cpp_type, name in declared["parameter_texts"]]
        elif declared["annotation"] == "UENUM":
            if declared["underlying"] is None:
                raise HeaderError(declared["line"], f"UENUM {declared['name']} needs an explicit underlying type (for example ': uint8')")
            parse_enum_entries(clean, declared)
        else:
            parse_body(text, clean, declared, all_types)
    local_delegates = {declared["name"]: declared for declared in types if declared["annotation"] == "DELEGATE"}
    for declared in types:
        for member in declared.get("properties", []):
            delegate = local_delegates.get(member.get("delegate"))
            if delegate is not None and delegate["line"] > declared["line"]:
                raise HeaderError(member["line"], f"the delegate {delegate['name']} must be declared before {declared['name']}, which uses it")
    return types, bodies


def parse_delegates(text, clean, types):
    """The dynamic multicast delegates the header declares: name, parameters as written, and doc comment.

    As the engine's tool requires, each is declared at namespace scope before the class that uses it, so the
    generated line macro exists when the declaration is compiled.
    """
    delegates = []
    for match in DYNAMIC_DELEGATE.finditer(clean):
        line = line_of(clean, match.start())
        if "SPARSE_" in match.group(0):
            # The engine's own sparse delegates are not reflected here; a member of such a type is refused as unsupported.
            continue
        if not match.group(1):
            raise HeaderError(line, "only DECLARE_DYNAMIC_MULTICAST_DELEGATE declarations are supported")
        count = DELEGATE_PARAMETER_COUNTS.get(match.group(2))
        if count is None:
            raise HeaderError(line, f"unsupported dynamic delegate declaration '{match.group(0).rstrip('( ')}'")
        for declared in types:
            if declared["annotation"] != "UENUM" and declared["declaration_end"] < match.start():
                open_index = clean.find("{", declared["declaration_end"])
                if 0 <= open_index < match.start() < matching(clean, open_index, "{", "}"):
                    raise HeaderError(line, f"declare dynamic delegates at namespace scope, before {declared['name']}, not inside it")
        close = matching(clean, match.end() - 1, "(", ")")
        arguments = split_arguments(clean[match.end():close])
        if len(arguments) != 1 + 2 * count or not all(IDENTIFIER.fullmatch(item) for item in arguments[0::2]):
            raise HeaderError(line, f"{match.group(0).rstrip('( ')} needs a delegate name and {count} parameter type and name pairs")
        name = arguments[0]
        if not name.startswith("F"):
            raise HeaderError(line, f"the delegate type {name} must start with 'F'")
        pairs = [(normalise_type(arguments[index]), arguments[index + 1]) for index in range(1, len(arguments), 2)]
        delegates.append({
            "annotation": "DELEGATE", "name": name, "line": line, "declaration_end": close, "parameter_texts": pairs,
            "metadata": comment_metadata(text, match.start(), []), "specifiers": [],
        })
    return delegates


def parse_body(text, clean, declared, types):
    """Fills in the constructors, the reflected members and the reflected functions of a class or structure."""
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
    events += [(m.start(), m.group(1), m) for m in MEMBER_ANNOTATION.finditer(body)]
    properties = []
    functions = []
    for position, kind, value in sorted(events, key=lambda event: event[0]):
        if kind == "access":
            access = value
        elif kind == "body" and declared["annotation"] == "UCLASS":
            access = "private"
        elif kind in ("UPROPERTY", "UFUNCTION"):
            line = line_of(clean, offset + position)
            close = matching(body, value.end() - 1, "(", ")")
            end = body.find(";", close)
            if end < 0:
                raise HeaderError(line, f"{kind} is not followed by a declaration")
            allowed = PROPERTY_SPECIFIERS if kind == "UPROPERTY" else FUNCTION_SPECIFIERS
            specifiers, metadata = parse_annotation(body[value.end():close], line, allowed, "variable" if kind == "UPROPERTY" else "function")
            metadata = comment_metadata(text, offset + position, metadata)
            if kind == "UPROPERTY":
                member = parse_member(body[close + 1:end], line, types)
                member.update({"specifiers": specifiers, "metadata": metadata, "access": access})
                member["flags"], member["metadata"] = property_flags(member, line)
                properties.append(member)
            else:
                if declared["annotation"] != "UCLASS":
                    raise HeaderError(line, "UFUNCTION is only allowed in a UCLASS")
                functions.append(parse_function(body[close + 1:end], line, types, specifiers, metadata, access, name))
    declared["properties"] = properties
    declared["functions"] = functions
    if declared["annotation"] == "USTRUCT" and declared["base"] is not None:
        base_declared = types.get(declared["base"])
        if base_declared is None or base_declared["annotation"] != "USTRUCT":
            raise HeaderError(declared["line"], f"the base of USTRUCT {name} must be a USTRUCT of this module, not '{declared['base']}'")
    if declared["annotation"] == "UCLASS" and declared["base"] is None:
        raise HeaderError(declared["line"], f"UCLASS {name} has no base class")
    check_accessors(declared)


def category_list(value):
    return value if isinstance(value, list) else [value]


def class_metadata(declared, types):
    """The class's metadata as the engine's tool registers it: its own, and the categories it inherits."""
    specifiers = declared["specifiers"]
    metadata = dict(declared["metadata"])
    if specifier(specifiers, "blueprinttype"):
        metadata["BlueprintType"] = "true"
    if specifier(specifiers, "notblueprinttype"):
        metadata["NotBlueprintType"] = "true"
    if specifier(specifiers, "blueprintable"):
        metadata["IsBlueprintBase"] = "true"
    if specifier(specifiers, "notblueprintable"):
        metadata["IsBlueprintBase"] = "false"
    group = specifier(specifiers, "classgroup")
    if group is not None:
        metadata["ClassGroupNames"] = " ".join(category_list(group))
    parent = types.get(declared["base"]) if declared["base"] else None
    inherited = class_metadata(parent, types) if parent is not None and parent["annotation"] == "UCLASS" else {}
    own_hide = category_list(specifier(specifiers, "hidecategories") or [])
    own_show = category_list(specifier(specifiers, "showcategories") or [])
    parent_hide = [c for c in inherited.get("HideCategories", "").split() if c not in own_show]
    parent_show = [c for c in inherited.get("ShowCategories", "").split() if c not in own_hide]
    if own_hide or parent_hide:
        metadata["HideCategories"] = " ".join(own_hide + parent_hide)
    if own_show or parent_show:
        metadata["ShowCategories"] = " ".join(own_show + parent_show)
    return metadata


def class_config(declared, types):
    """The configuration section the class names, or None to keep its super class's."""
    value = specifier(declared["specifiers"], "config")
    return value if isinstance(value, str) else None


def class_flag_names(declared):
    flags = ["CLASS_Native"]
    specifiers = declared["specifiers"]
    if specifier(specifiers, "abstract"):
        flags.append("CLASS_Abstract")
    if specifier(specifiers, "config"):
        flags.append("CLASS_Config")
    if specifier(specifiers, "minimalapi"):
        flags.append("CLASS_MinimalAPI")
    if declared["api"]:
        flags.append("CLASS_RequiredAPI")
    return flags
