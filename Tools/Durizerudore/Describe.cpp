#include <fmt/format.h>

#include "Describe.h"
#include "ReflectedTypes.h"
#include "TextConversion.h"

#include "HostScriptAccess.h"
#include "Templates/Casts.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace DuRizerudoreCli
{
	namespace
	{
		/** Starts a tooltip's first line; its later lines are indented by as much. */
		constexpr std::string_view ToolTipLabel = "Tooltip: ";

		std::string_view TrimRight(std::string_view Text)
		{
			while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t' || Text.back() == '\r'))
			{
				Text.remove_suffix(1);
			}
			return Text;
		}

		template <typename... TArgs>
		void AppendLine(std::string& Out, fmt::format_string<TArgs...> Format, TArgs&&... Args)
		{
			const std::string Line = fmt::format(Format, std::forward<TArgs>(Args)...);
			Out += TrimRight(Line);
			Out += '\n';
		}

		std::string YesNo(const bool bValue)
		{
			return bValue ? "yes" : "no";
		}

		/** Text that may be empty, for a line that always appears. */
		std::string OrNone(const FString& Text)
		{
			return Text.IsEmpty() ? std::string("none") : ToUtf8(Text);
		}

		/** An enumeration keeps its type metadata beside its entries' and answers for it itself. */
		FString GetTypeMetaData(const UField& Type, const TCHAR* Key)
		{
			if (const UEnum* Enum = Cast<UEnum>(&Type))
			{
				return Enum->GetMetaData(Key);
			}
			return Type.GetMetaData(Key);
		}

		/** A tooltip keeps its line breaks: each line goes under the first, at Indent. Nothing for an empty tooltip. */
		void AppendToolTip(std::string& Out, const std::string_view Indent, const FString& ToolTip)
		{
			if (ToolTip.IsEmpty())
			{
				return;
			}
			const std::string Text = ToUtf8(ToolTip);
			const std::string Continuation(ToolTipLabel.size(), ' ');
			std::string_view Rest = Text;
			for (bool bFirst = true; bFirst || !Rest.empty(); bFirst = false)
			{
				const std::size_t Break = Rest.find('\n');
				const std::string_view Line = Rest.substr(0, Break);
				Rest = Break == std::string_view::npos ? std::string_view() : Rest.substr(Break + 1);
				AppendLine(Out, "{}{}{}", Indent, bFirst ? ToolTipLabel : std::string_view(Continuation), Line);
			}
		}

		/** The tooltip on one line: its lines trimmed and joined by single spaces. */
		std::string JoinToolTipLines(const FString& ToolTip)
		{
			const std::string Text = ToUtf8(ToolTip);
			std::string Joined;
			std::string_view Rest = Text;
			while (!Rest.empty())
			{
				const std::size_t Break = Rest.find('\n');
				std::string_view Line = TrimRight(Rest.substr(0, Break));
				Line.remove_prefix(std::min(Line.find_first_not_of(" \t"), Line.size()));
				Rest = Break == std::string_view::npos ? std::string_view() : Rest.substr(Break + 1);
				if (!Line.empty())
				{
					Joined += Joined.empty() ? "" : " ";
					Joined += Line;
				}
			}
			return Joined;
		}

		const char* GetKindName(const UField& Type)
		{
			if (Type.IsA<UEnum>())
			{
				return "enumeration";
			}
			return Type.IsA<UClass>() ? "class" : "structure";
		}

		bool IsMetaDataTrue(const UField& Type, const TCHAR* Key)
		{
			return GetTypeMetaData(Type, Key).Equals(TEXT("true"), ESearchCase::IgnoreCase);
		}

		const char* GetEnumFormName(const UEnum::ECppForm Form)
		{
			switch (Form)
			{
			case UEnum::ECppForm::EnumClass:
				return "scoped (enum class)";
			case UEnum::ECppForm::Namespaced:
				return "namespaced";
			case UEnum::ECppForm::Regular:
				break;
			}
			return "plain";
		}

		void AppendEnumeration(std::string& Out, const UEnum& Enum)
		{
			AppendLine(Out, "{}: enumeration, {}{}", GetCppName(Enum), GetEnumFormName(Enum.GetCppForm()),
				IsMetaDataTrue(Enum, TEXT("BlueprintType")) ? ", blueprint type" : "");
			AppendToolTip(Out, "  ", Enum.GetMetaData(TEXT("ToolTip")));
			// The last entry is the "_MAX" one the registry appends; no script or editor offers it.
			const int32 EntryCount = Enum.NumEnums() - 1;
			std::size_t NameWidth = 0;
			for (int32 Index = 0; Index < EntryCount; ++Index)
			{
				NameWidth = std::max(NameWidth, ToUtf8(Enum.GetNameStringByIndex(Index)).size());
			}
			AppendLine(Out, "");
			AppendLine(Out, "Entries (name = value, display name):");
			for (int32 Index = 0; Index < EntryCount; ++Index)
			{
				AppendLine(Out, "  {:<{}} = {}  \"{}\"", ToUtf8(Enum.GetNameStringByIndex(Index)), NameWidth, Enum.GetValueByIndex(Index),
					ToUtf8(Enum.GetDisplayNameTextByIndex(Index).ToString()));
				AppendToolTip(Out, "      ", Enum.GetToolTipTextByIndex(Index).ToString());
			}
		}

		/** How the details panel offers the property. */
		std::string DescribeEditorAccess(const FProperty& Property)
		{
			if (!Property.HasAnyPropertyFlags(CPF_Edit))
			{
				return "not editable";
			}
			if (Property.HasAnyPropertyFlags(CPF_EditConst))
			{
				return "read-only in the editor";
			}
			if (Property.HasAnyPropertyFlags(CPF_DisableEditOnInstance))
			{
				return "editable on defaults only";
			}
			if (Property.HasAnyPropertyFlags(CPF_DisableEditOnTemplate))
			{
				return "editable on instances only";
			}
			return "editable";
		}

		/** How visual scripts reach the property: directly, or only through its accessor functions. */
		std::string DescribeScriptAccess(const FProperty& Property)
		{
			// An event: scripts bind handlers to it and never read it as a value.
			const FMulticastDelegateProperty* const Event = CastField<FMulticastDelegateProperty>(&Property);
			if (Event != nullptr && Event->SignatureFunction != nullptr && Property.HasAnyPropertyFlags(CPF_BlueprintAssignable))
			{
				std::vector<std::string> Parameters;
				for (TFieldIterator<FProperty> It(Event->SignatureFunction); It; ++It)
				{
					Parameters.push_back(fmt::format("{} {}", ToUtf8(It->GetCPPType()), ToUtf8(It->GetName())));
				}
				return fmt::format("script event, handlers take ({})", fmt::join(Parameters, ", "));
			}
			if (!UE::Host::CanScriptRead(&Property))
			{
				return "hidden from scripts";
			}
			const FString& Getter = Property.GetMetaData(TEXT("BlueprintGetter"));
			const FString& Setter = Property.GetMetaData(TEXT("BlueprintSetter"));
			if (Getter.IsEmpty() && Setter.IsEmpty())
			{
				return UE::Host::CanScriptWrite(&Property) ? "script read/write" : "script read-only";
			}
			const std::string Read = Getter.IsEmpty() ? std::string("reads directly") : fmt::format("getter {}", ToUtf8(Getter));
			if (!Setter.IsEmpty())
			{
				return fmt::format("script via {}, setter {}", Read, ToUtf8(Setter));
			}
			return fmt::format("script via {}, {}", Read, UE::Host::CanScriptWrite(&Property) ? "writes directly" : "no writes");
		}

		void AppendProperty(std::string& Out, const FProperty& Property)
		{
			std::string Line = fmt::format("    {}: {}; {}, {}", ToUtf8(Property.GetName()), ToUtf8(Property.GetCPPType()), DescribeEditorAccess(Property),
				DescribeScriptAccess(Property));
			if (const FString& Condition = Property.GetMetaData(TEXT("EditCondition")); !Condition.IsEmpty())
			{
				Line += fmt::format("; edit condition \"{}\"{}", ToUtf8(Condition), Property.HasMetaData(TEXT("EditConditionHides")) ? ", hidden while false" : "");
			}
			AppendLine(Out, "{}", Line);
			AppendToolTip(Out, "      ", Property.GetMetaData(TEXT("ToolTip")));
		}

		/** The type's own properties (not its super types'), grouped by category in the order each category first appears. */
		void AppendProperties(std::string& Out, const UStruct& Type)
		{
			std::vector<std::pair<FString, std::vector<const FProperty*>>> Categories;
			for (TFieldIterator<FProperty> It(&Type, EFieldIterationFlags::None); It; ++It)
			{
				const FString& Category = It->GetMetaData(TEXT("Category"));
				auto Found = std::find_if(Categories.begin(), Categories.end(), [&Category](const auto& Entry) { return Entry.first.Equals(Category); });
				if (Found == Categories.end())
				{
					Found = Categories.insert(Categories.end(), {Category, {}});
				}
				Found->second.push_back(*It);
			}
			AppendLine(Out, "");
			if (Categories.empty())
			{
				AppendLine(Out, "Properties: none");
				return;
			}
			AppendLine(Out, "Properties:");
			for (const auto& [Category, Properties] : Categories)
			{
				AppendLine(Out, "  Category \"{}\":", ToUtf8(Category));
				for (const FProperty* Property : Properties)
				{
					AppendProperty(Out, *Property);
				}
			}
		}

		std::string DescribeFunctionKind(const UFunction& Function)
		{
			std::vector<std::string_view> Words;
			if (Function.HasAnyFunctionFlags(FUNC_Static))
			{
				Words.push_back("static");
			}
			if (Function.HasAnyFunctionFlags(FUNC_Const))
			{
				Words.push_back("const");
			}
			if (Function.HasAnyFunctionFlags(FUNC_BlueprintPure))
			{
				Words.push_back("pure");
			}
			else if (Function.HasAnyFunctionFlags(FUNC_BlueprintCallable))
			{
				Words.push_back("callable");
			}
			else
			{
				Words.push_back("not callable from scripts");
			}
			if (Function.HasMetaData(TEXT("BlueprintGetter")))
			{
				Words.push_back("getter");
			}
			if (Function.HasMetaData(TEXT("BlueprintSetter")))
			{
				Words.push_back("setter");
			}
			return fmt::format("{}", fmt::join(Words, ", "));
		}

		/** What a call node makes of the parameter: an input or output pin, or a value the script passes unseen. */
		std::string DescribeParameterRole(const UFunction& Function, const TArray<UE::Host::FScriptPin>& Pins, const FProperty& Parameter)
		{
			for (const UE::Host::FScriptPin& Pin : Pins)
			{
				if (Pin.Parameter == &Parameter)
				{
					return Pin.bOutput ? "out" : "in";
				}
			}
			if (Function.GetMetaData(TEXT("WorldContext")).Equals(Parameter.GetName()))
			{
				return "implicit (world context: the calling script's object)";
			}
			return "hidden";
		}

		void AppendFunction(std::string& Out, const UFunction& Function)
		{
			AppendLine(Out, "  {}: {}; category \"{}\"", ToUtf8(Function.GetName()), DescribeFunctionKind(Function), ToUtf8(Function.GetMetaData(TEXT("Category"))));
			const TArray<UE::Host::FScriptPin> Pins = UE::Host::GetScriptPins(&Function);
			bool bAnyParameter = false;
			for (TFieldIterator<FProperty> It(&Function, EFieldIterationFlags::None); It; ++It)
			{
				if (It->HasAnyPropertyFlags(CPF_Parm) && !It->HasAnyPropertyFlags(CPF_ReturnParm))
				{
					AppendLine(Out, "    parameter {}: {}; {}", ToUtf8(It->GetName()), ToUtf8(It->GetCPPType()), DescribeParameterRole(Function, Pins, **It));
					bAnyParameter = true;
				}
			}
			if (!bAnyParameter)
			{
				AppendLine(Out, "    parameters: none");
			}
			const FProperty* Result = Function.GetReturnProperty();
			AppendLine(Out, "    result: {}", Result != nullptr ? ToUtf8(Result->GetCPPType()) : std::string("none"));
			AppendToolTip(Out, "    ", Function.GetMetaData(TEXT("ToolTip")));
		}

		void AppendFunctions(std::string& Out, const UClass& Class)
		{
			AppendLine(Out, "");
			TFieldIterator<UFunction> Function(&Class, EFieldIterationFlags::None);
			if (!Function)
			{
				AppendLine(Out, "Functions: none");
				return;
			}
			AppendLine(Out, "Functions:");
			for (; Function; ++Function)
			{
				AppendFunction(Out, **Function);
			}
		}

		void AppendClassMetaData(std::string& Out, const UClass& Class)
		{
			const UClass* SuperClass = Class.GetSuperClass();
			AppendLine(Out, "{}: class, base {}", GetCppName(Class), SuperClass != nullptr ? GetCppName(*SuperClass) : std::string("none"));
			AppendLine(Out, "  Blueprint type: {}", YesNo(IsMetaDataTrue(Class, TEXT("BlueprintType"))));
			AppendLine(Out, "  Blueprintable: {}", YesNo(IsMetaDataTrue(Class, TEXT("IsBlueprintBase"))));
			AppendLine(Out, "  Hidden categories: {}", OrNone(Class.GetMetaData(TEXT("HideCategories"))));
			AppendLine(Out, "  Shown categories: {}", OrNone(Class.GetMetaData(TEXT("ShowCategories"))));
			AppendLine(Out, "  Class group: {}", OrNone(Class.GetMetaData(TEXT("ClassGroupNames"))));
			AppendLine(Out, "  Spawnable component: {}", YesNo(Class.HasMetaData(TEXT("BlueprintSpawnableComponent"))));
			AppendLine(Out, "  Config section: {}", OrNone(Class.GetConfigName().IsNone() ? FString() : Class.GetConfigName().ToString()));
			AppendToolTip(Out, "  ", Class.GetMetaData(TEXT("ToolTip")));
		}
	}

	std::string DescribeReflectedTypes()
	{
		const std::vector<const UField*> Types = GetReflectedTypes();
		std::size_t NameWidth = 0;
		for (const UField* Type : Types)
		{
			NameWidth = std::max(NameWidth, GetCppName(*Type).size());
		}
		std::string Out;
		for (const UField* Type : Types)
		{
			AppendLine(Out, "{:<{}}  {:<11}  {}", GetCppName(*Type), NameWidth, GetKindName(*Type), JoinToolTipLines(GetTypeMetaData(*Type, TEXT("ToolTip"))));
		}
		return Out;
	}

	std::string DescribeReflectedType(const UField& Type)
	{
		std::string Out;
		if (const UEnum* Enum = Cast<UEnum>(&Type))
		{
			AppendEnumeration(Out, *Enum);
		}
		else if (const UClass* Class = Cast<UClass>(&Type))
		{
			AppendClassMetaData(Out, *Class);
			AppendProperties(Out, *Class);
			AppendFunctions(Out, *Class);
		}
		else if (const UStruct* Struct = Cast<UStruct>(&Type))
		{
			AppendLine(Out, "{}: structure", GetCppName(*Struct));
			AppendLine(Out, "  Blueprint type: {}", YesNo(IsMetaDataTrue(*Struct, TEXT("BlueprintType"))));
			AppendToolTip(Out, "  ", Struct->GetMetaData(TEXT("ToolTip")));
			AppendProperties(Out, *Struct);
		}
		return Out;
	}
}
