#include "HAL/FileManager.h"
#include "HAL/PlatformFileManager.h"
#include "Misc/Paths.h"

#include <filesystem>
#include <system_error>

namespace
{
	std::filesystem::path ToPath(const TCHAR* Text)
	{
		return std::filesystem::path(std::wstring(Text != nullptr ? Text : L""));
	}

	FString ToEngineString(const std::filesystem::path& Path)
	{
		FString Result = FString::FromStdString(Path.generic_wstring());
		// The engine writes directories without a trailing separator (except the root itself).
		while (Result.Len() > 1 && Result.EndsWith(TEXT("/")))
		{
			Result = Result.LeftChop(1);
		}
		return Result;
	}

	FString MakeAbsolute(const TCHAR* Filename)
	{
		std::error_code Error;
		const std::filesystem::path Absolute = std::filesystem::absolute(ToPath(Filename), Error);
		if (Error)
		{
			return FString(Filename);
		}
		return ToEngineString(Absolute.lexically_normal());
	}

	class FHostPlatformFile final : public IPlatformFile
	{
	public:
		virtual bool FileExists(const TCHAR* Filename) override
		{
			std::error_code Error;
			return std::filesystem::is_regular_file(ToPath(Filename), Error);
		}

		virtual bool DirectoryExists(const TCHAR* Directory) override
		{
			std::error_code Error;
			return std::filesystem::is_directory(ToPath(Directory), Error);
		}

		virtual int64 FileSize(const TCHAR* Filename) override
		{
			std::error_code Error;
			const std::uintmax_t Size = std::filesystem::file_size(ToPath(Filename), Error);
			return Error ? -1 : static_cast<int64>(Size);
		}

		virtual FString ConvertToAbsolutePathForExternalAppForRead(const TCHAR* Filename) override { return MakeAbsolute(Filename); }
		virtual FString ConvertToAbsolutePathForExternalAppForWrite(const TCHAR* Filename) override { return MakeAbsolute(Filename); }
	};

	class FHostFileManager final : public IFileManager
	{
	public:
		virtual bool FileExists(const TCHAR* Filename) override { return Platform().FileExists(Filename); }
		virtual bool DirectoryExists(const TCHAR* Directory) override { return Platform().DirectoryExists(Directory); }
		virtual int64 FileSize(const TCHAR* Filename) override { return Platform().FileSize(Filename); }
		virtual FString ConvertToAbsolutePathForExternalAppForRead(const TCHAR* Filename) override
		{
			return Platform().ConvertToAbsolutePathForExternalAppForRead(Filename);
		}

	private:
		static IPlatformFile& Platform() { return FPlatformFileManager::Get().GetPlatformFile(); }
	};
}

FPlatformFileManager& FPlatformFileManager::Get()
{
	static FPlatformFileManager Singleton;
	return Singleton;
}

IPlatformFile& FPlatformFileManager::GetPlatformFile()
{
	static FHostPlatformFile PlatformFile;
	return PlatformFile;
}

IFileManager& IFileManager::Get()
{
	static FHostFileManager FileManager;
	return FileManager;
}

bool FPaths::FileExists(const FString& InPath)
{
	return FPlatformFileManager::Get().GetPlatformFile().FileExists(*InPath);
}

bool FPaths::DirectoryExists(const FString& InPath)
{
	return FPlatformFileManager::Get().GetPlatformFile().DirectoryExists(*InPath);
}

bool FPaths::IsRelative(const FString& InPath)
{
	return !InPath.StartsWith(TEXT("/"));
}

FString FPaths::ConvertRelativePathToFull(const FString& InPath)
{
	return MakeAbsolute(*InPath);
}

void FPaths::NormalizeFilename(FString& InPath)
{
	InPath = InPath.Replace(TEXT("\\"), TEXT("/"));
}

void FPaths::NormalizeDirectoryName(FString& InPath)
{
	NormalizeFilename(InPath);
	while (InPath.Len() > 1 && InPath.EndsWith(TEXT("/")))
	{
		InPath = InPath.LeftChop(1);
	}
}

FString FPaths::GetCleanFilename(const FString& InPath)
{
	const int32 Slash = InPath.Find(TEXT("/"), ESearchCase::CaseSensitive, ESearchDir::FromEnd);
	return Slash == INDEX_NONE ? InPath : InPath.Mid(Slash + 1);
}

FString FPaths::GetBaseFilename(const FString& InPath, const bool bRemovePath)
{
	const FString Name = bRemovePath ? GetCleanFilename(InPath) : InPath;
	const int32 Dot = Name.Find(TEXT("."), ESearchCase::CaseSensitive, ESearchDir::FromEnd);
	const int32 Slash = Name.Find(TEXT("/"), ESearchCase::CaseSensitive, ESearchDir::FromEnd);
	return Dot != INDEX_NONE && Dot > Slash ? Name.Left(Dot) : Name;
}

FString FPaths::GetExtension(const FString& InPath, const bool bIncludeDot)
{
	const FString Name = GetCleanFilename(InPath);
	const int32 Dot = Name.Find(TEXT("."), ESearchCase::CaseSensitive, ESearchDir::FromEnd);
	return Dot == INDEX_NONE ? FString() : Name.Mid(bIncludeDot ? Dot : Dot + 1);
}

FString FPaths::GetPath(const FString& InPath)
{
	const int32 Slash = InPath.Find(TEXT("/"), ESearchCase::CaseSensitive, ESearchDir::FromEnd);
	return Slash == INDEX_NONE ? FString() : InPath.Left(Slash);
}
