#include <CLI/CLI.hpp>

#include "Commands.h"
#include "Options.h"

#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreSystem.h"

#include <algorithm>
#include <cmath>

namespace DuRizerudoreCli
{
	namespace
	{
		FVector ToVector(const std::span<const double> In)
		{
			return FVector(In[0], In[1], In[2]);
		}

		void WriteVector(const FVector& Vector, const std::span<double> Out)
		{
			Out[0] = Vector.X;
			Out[1] = Vector.Y;
			Out[2] = Vector.Z;
		}

		/**
		 * Why the library refused a line with a position: a geodetic latitude outside [-90, 90], which it refuses
		 * in every frame, or else Otherwise. The library decides; this only puts its refusal into words.
		 */
		const char* ExplainRefusal(const ECoordinateSystem System, const std::span<const double> Position, const char* const Otherwise)
		{
			if (System == ECoordinateSystem::Geodetic && std::abs(Position[0]) > 90.0)
			{
				return "geodetic latitude is outside [-90, 90]";
			}
			return Otherwise;
		}

		/** Why a height query failed: no geoid, or a position or a geoid height (from a damaged grid) that it refused. */
		const char* HeightQueryFailure(const FCoordinateReferenceFrame& Frame)
		{
			if (!Frame.GetConversion()->SupportsGeoidQueries())
			{
				return "no geoid model is loaded (see --geoid-model)";
			}
			return "position cannot be converted to geodetic in this frame, or the geoid height there is not finite";
		}

		void AddPositionOptions(CLI::App& Command, FCommandOptions& Options)
		{
			AddCoordinateSystemOption(Command, "--from", Options.FromSystem, "System the input positions are in")->required()->default_str("");
			AddCoordinateSystemOption(Command, "--to", Options.ToSystem, "System to print the positions in")->required()->default_str("");
			CLI::Option* const Threads = Command.add_option("--threads", Options.Threads, "Threads converting lines at once; lines still come out in input order");
			// Parenthesised: the engine's check macro would take the call otherwise.
			(Threads->check)(CLI::Range(1, 1024));
			Threads->default_str("all cores");
		}

		void AddPositionSystemOption(CLI::App& Command, FCommandOptions& Options)
		{
			AddCoordinateSystemOption(Command, "--position-system", Options.PositionSystem, "System the input positions are in");
		}

		void AddNoOptions(CLI::App&, FCommandOptions&)
		{
		}

		void AddFromToOptions(CLI::App& Command, FCommandOptions& Options)
		{
			AddCoordinateSystemOption(Command, "--from", Options.FromSystem, "System the input is in")->required()->default_str("");
			AddCoordinateSystemOption(Command, "--to", Options.ToSystem, "System to print the result in")->required()->default_str("");
		}

		void AddVectorAtOptions(CLI::App& Command, FCommandOptions& Options)
		{
			AddFromToOptions(Command, Options);
			AddCoordinateSystemOption(Command, "--position-system", Options.PositionSystem, "System the positions are in");
		}

		void AddVectorAndPositionSystemOptions(CLI::App& Command, FCommandOptions& Options)
		{
			AddCoordinateSystemOption(Command, "--vector-system", Options.VectorSystem, "System the vectors are in");
			AddCoordinateSystemOption(Command, "--position-system", Options.PositionSystem, "System the positions are in");
		}

		const char* RunPosition(const FCommandContext& Context, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			FVector Converted;
			if (!UDuRizerudoreBlueprintLibrary::ConvertPosition(Context.Frame, Options.FromSystem, Options.ToSystem, ToVector(In), Converted))
			{
				return ExplainRefusal(Options.FromSystem, In, "position cannot be converted in this frame");
			}
			WriteVector(Converted, Out);
			return nullptr;
		}

		const char* RunGeoidHeight(const FCommandContext& Context, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			if (!UDuRizerudoreBlueprintLibrary::GetGeoidHeight(Context.Frame, Options.PositionSystem, ToVector(In), Out[0]))
			{
				return ExplainRefusal(Options.PositionSystem, In, HeightQueryFailure(Context.Frame));
			}
			return nullptr;
		}

		const char* RunHeightAboveEllipsoid(const FCommandContext& Context, const FCommandOptions&, const std::span<const double> In, const std::span<double> Out)
		{
			if (!UDuRizerudoreBlueprintLibrary::GetHeightAboveEllipsoid(Context.Frame, ToVector(In), Out[0]))
			{
				return ExplainRefusal(ECoordinateSystem::Geodetic, In, HeightQueryFailure(Context.Frame));
			}
			return nullptr;
		}

		const char* RunHeightAboveMsl(const FCommandContext& Context, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			if (!UDuRizerudoreBlueprintLibrary::GetHeightAboveMeanSeaLevel(Context.Frame, Options.PositionSystem, ToVector(In), Out[0]))
			{
				return ExplainRefusal(Options.PositionSystem, In, HeightQueryFailure(Context.Frame));
			}
			return nullptr;
		}

		const char* RunVector(const FCommandContext& Context, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			FVector Converted;
			if (!UDuRizerudoreBlueprintLibrary::ConvertVector(Context.Frame, Options.FromSystem, Options.ToSystem, ToVector(In), Converted))
			{
				// The input is finite and the frame built, so the only other refusal is a result that overflowed.
				const bool bGeodetic = Options.FromSystem == ECoordinateSystem::Geodetic || Options.ToSystem == ECoordinateSystem::Geodetic;
				return bGeodetic ? "a free vector has no geodetic form" : "the converted vector is not finite";
			}
			WriteVector(Converted, Out);
			return nullptr;
		}

		const char* RunVectorAt(const FCommandContext& Context, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			FVector Converted;
			if (!UDuRizerudoreBlueprintLibrary::ConvertVectorAtPosition(Context.Frame, Options.FromSystem, Options.ToSystem, ToVector(In.subspan(0, 3)), Options.PositionSystem,
					ToVector(In.subspan(3, 3)), Converted))
			{
				return ExplainRefusal(Options.PositionSystem, In.subspan(3, 3), "position cannot be resolved in this frame, or the converted vector is not finite");
			}
			WriteVector(Converted, Out);
			return nullptr;
		}

		const char* RunQuaternion(const FCommandContext& Context, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			FQuat Converted;
			if (!UDuRizerudoreBlueprintLibrary::ConvertQuaternion(Context.Frame, Options.FromSystem, Options.ToSystem, FQuat(In[0], In[1], In[2], In[3]), Converted))
			{
				return "orientations convert only among Local_ENU, Local_NED and Geocentric (Local_UE only to itself)";
			}
			Out[0] = Converted.X;
			Out[1] = Converted.Y;
			Out[2] = Converted.Z;
			Out[3] = Converted.W;
			return nullptr;
		}

		const char* RunRotator(const FCommandContext& Context, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			FRotator Converted;
			if (!UDuRizerudoreBlueprintLibrary::ConvertRotator(Context.Frame, Options.FromSystem, Options.ToSystem, FRotator(In[0], In[1], In[2]), Converted))
			{
				return "orientations convert only among Local_ENU, Local_NED and Geocentric (Local_UE only to itself)";
			}
			Out[0] = Converted.Pitch;
			Out[1] = Converted.Yaw;
			Out[2] = Converted.Roll;
			return nullptr;
		}

		const char* RunHeadingPitch(const FCommandContext& Context, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			FVector2D HeadingPitch;
			if (!UDuRizerudoreBlueprintLibrary::HeadingPitchDegFromVector(Context.Frame, Options.VectorSystem, ToVector(In.subspan(0, 3)), Options.PositionSystem,
					ToVector(In.subspan(3, 3)), HeadingPitch))
			{
				return ExplainRefusal(Options.PositionSystem, In.subspan(3, 3), "a Geodetic vector has no heading, or the position cannot be resolved in this frame");
			}
			Out[0] = HeadingPitch.X;
			Out[1] = HeadingPitch.Y;
			return nullptr;
		}

		const char* RunVectorFromHeadingPitch(const FCommandContext& Context, const FCommandOptions& Options, const std::span<const double> In,
			const std::span<double> Out)
		{
			FVector Vector;
			if (!UDuRizerudoreBlueprintLibrary::VectorFromHeadingPitchDeg(Context.Frame, Options.VectorSystem, FVector2D(In[0], In[1]), Options.PositionSystem,
					ToVector(In.subspan(2, 3)), Vector))
			{
				return ExplainRefusal(Options.PositionSystem, In.subspan(2, 3), "a Geodetic vector has no heading, or the position cannot be resolved in this frame");
			}
			WriteVector(Vector, Out);
			return nullptr;
		}

		void AddGravityOptions(CLI::App& Command, FCommandOptions& Options)
		{
			AddCoordinateSystemOption(Command, "--position-system", Options.PositionSystem, "System the positions are in");
			AddCoordinateSystemOption(Command, "--vector-system", Options.GravityVectorSystem, "System to print gravity in (m/s^2 in every system)");
		}

		const char* RunGravity(const FCommandContext& Context, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			FVector Gravity;
			if (!UDuRizerudoreBlueprintLibrary::GetGravity(Context.Frame, Options.PositionSystem, ToVector(In), Options.GravityVectorSystem, Gravity))
			{
				return Options.GravityVectorSystem == ECoordinateSystem::Geodetic
					? "gravity has no geodetic form"
					: ExplainRefusal(Options.PositionSystem, In, "position cannot be converted in this frame, or gravity there is not finite");
			}
			WriteVector(Gravity, Out);
			return nullptr;
		}

		/**
		 * A rotation from a line (x y z w), normalised; false when it is zero (shorter than the engine's
		 * normalisation tolerance) or not finite. A finite quaternion whose square overflows is divided by its
		 * largest component first, so that any finite length names its rotation.
		 */
		bool ReadRotation(const std::span<const double> In, FQuat& OutRotation)
		{
			FQuat Rotation(In[0], In[1], In[2], In[3]);
			const double Largest = FMath::Max(FMath::Max(FMath::Abs(Rotation.X), FMath::Abs(Rotation.Y)), FMath::Max(FMath::Abs(Rotation.Z), FMath::Abs(Rotation.W)));
			if (!FMath::IsFinite(Largest) || Rotation.SizeSquared() < UE_SMALL_NUMBER)
			{
				return false;
			}
			if (!FMath::IsFinite(Rotation.SizeSquared()))
			{
				Rotation = FQuat(Rotation.X / Largest, Rotation.Y / Largest, Rotation.Z / Largest, Rotation.W / Largest);
			}
			Rotation.Normalize();
			OutRotation = Rotation;
			return true;
		}

		void WriteRotation(const FQuat& Rotation, const std::span<double> Out)
		{
			Out[0] = Rotation.X;
			Out[1] = Rotation.Y;
			Out[2] = Rotation.Z;
			Out[3] = Rotation.W;
		}

		/** A whole pose (position, rotation) through one of the coordinate-system actor's pose conversions. */
		const char* ConvertPose(const FCommandContext& Context, const std::span<const double> In, const std::span<double> Out,
			bool (ADuRizerudoreSystem::*Convert)(const FVector&, const FQuat&, FVector&, FQuat&) const)
		{
			FQuat Rotation = FQuat::Identity;
			if (!ReadRotation(In.subspan(3, 4), Rotation))
			{
				return "rotation is zero or not finite";
			}
			FVector ConvertedPosition(0.0, 0.0, 0.0);
			FQuat ConvertedRotation = FQuat::Identity;
			if (!(Context.CoordinateSystem->*Convert)(ToVector(In), Rotation, ConvertedPosition, ConvertedRotation))
			{
				return "pose cannot be converted in this frame";
			}
			WriteVector(ConvertedPosition, Out);
			WriteRotation(ConvertedRotation, Out.subspan(3, 4));
			return nullptr;
		}

		const char* RunPoseToEcef(const FCommandContext& Context, const FCommandOptions&, const std::span<const double> In, const std::span<double> Out)
		{
			return ConvertPose(Context, In, Out, &ADuRizerudoreSystem::ConvertAuthorityLocalToEcef);
		}

		const char* RunEcefToPose(const FCommandContext& Context, const FCommandOptions&, const std::span<const double> In, const std::span<double> Out)
		{
			return ConvertPose(Context, In, Out, &ADuRizerudoreSystem::ConvertEcefToAuthorityLocal);
		}

		void AddGeodesicOptions(CLI::App& Command, FCommandOptions& Options)
		{
			CLI::Option_group* Mode = Command.add_option_group("mode", "Which problem each line poses (one of them is required)");
			Mode->add_flag_callback("--inverse", [&Options] { Options.bDirect = false; }, "Lines are lat1 lon1 lat2 lon2; print the path between the points");
			Mode->add_flag("--direct", Options.bDirect, "Lines are lat1 lon1 azi1 s12; print where the path ends");
			Mode->require_option(1);
			Command.add_flag("--rhumb", Options.bRhumb, "Rhumb lines (constant azimuth) instead of geodesics");
		}

		std::size_t GeodesicOutputCount(const FCommandOptions& Options)
		{
			return Options.bRhumb ? 2 : 3;
		}

		/** The geodesic or rhumb-line problem of one line, in the line formats of GeographicLib's GeodSolve and RhumbSolve. */
		const char* RunGeodesic(const FCommandContext& Context, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			const FVector From(In[0], In[1], 0.0);
			if (std::abs(In[0]) > 90.0 || (!Options.bDirect && std::abs(In[2]) > 90.0))
			{
				return "geodetic latitude is outside [-90, 90]";
			}
			if (Options.bDirect)
			{
				FVector To;
				double FinalAzimuthDeg = 0.0;
				const bool bSolved = Options.bRhumb ? UDuRizerudoreBlueprintLibrary::GetRhumbDirect(Context.Frame, From, In[2], In[3], To)
													: UDuRizerudoreBlueprintLibrary::GetGeodesicDirect(Context.Frame, From, In[2], In[3], To, FinalAzimuthDeg);
				if (!bSolved)
				{
					return "the path passes beyond a pole, or the result is not finite";
				}
				Out[0] = To.X;
				Out[1] = To.Y;
				if (!Options.bRhumb)
				{
					Out[2] = FinalAzimuthDeg;
				}
				return nullptr;
			}
			const FVector To(In[2], In[3], 0.0);
			const bool bSolved = Options.bRhumb
				? UDuRizerudoreBlueprintLibrary::GetRhumbInverse(Context.Frame, ECoordinateSystem::Geodetic, From, To, Out[1], Out[0])
				: UDuRizerudoreBlueprintLibrary::GetGeodesicInverse(Context.Frame, ECoordinateSystem::Geodetic, From, To, Out[2], Out[0], Out[1]);
			return bSolved ? nullptr : "the result is not finite";
		}

		const char* RunPolygonArea(const FCommandContext& Context, const std::span<const FVector> Vertices, const std::span<double> Out)
		{
			if (Vertices.size() < 3)
			{
				return "a polygon needs at least 3 vertices";
			}
			if (std::any_of(Vertices.begin(), Vertices.end(), [](const FVector& Vertex) { return std::abs(Vertex.X) > 90.0; }))
			{
				return "a vertex's geodetic latitude is outside [-90, 90]";
			}
			TArray<FVector> GeodeticVertices(Vertices.data(), static_cast<int32>(Vertices.size()));
			if (!UDuRizerudoreBlueprintLibrary::GetPolygonArea(Context.Frame, GeodeticVertices, Out[2], Out[1]))
			{
				return "the result is not finite";
			}
			Out[0] = static_cast<double>(Vertices.size());
			return nullptr;
		}

		constexpr FCommand Commands[] = {
			{"position", "Converts positions between coordinate systems (ConvertPosition)", "x y z", "x y z", 3, 3, AddPositionOptions, RunPosition},
			{"geoid-height", "Geoid height N above the ellipsoid, metres (GetGeoidHeight)", "x y z", "N", 3, 1, AddPositionSystemOption, RunGeoidHeight},
			{"height-above-ellipsoid", "Ellipsoidal height of a geodetic position whose height is above mean sea level (GetHeightAboveEllipsoid)",
				"lat lon height-above-msl", "h", 3, 1, AddNoOptions, RunHeightAboveEllipsoid},
			{"height-above-msl", "Height above mean sea level of a position (GetHeightAboveMeanSeaLevel)", "x y z", "H", 3, 1, AddPositionSystemOption,
				RunHeightAboveMsl},
			{"vector", "Converts free vectors with the frame's origin axes, never scaled (ConvertVector)", "x y z", "x y z", 3, 3, AddFromToOptions, RunVector},
			{"vector-at", "Converts vectors in the axes at a position (ConvertVectorAtPosition)", "vx vy vz px py pz", "x y z", 6, 3, AddVectorAtOptions, RunVectorAt},
			{"quaternion", "Converts orientations given as quaternions (ConvertQuaternion)", "x y z w", "x y z w", 4, 4, AddFromToOptions, RunQuaternion},
			{"rotator", "Converts orientations given as rotators in degrees (ConvertRotator)", "pitch yaw roll", "pitch yaw roll", 3, 3, AddFromToOptions, RunRotator},
			{"heading-pitch", "Heading and pitch in degrees of a vector (HeadingPitchDegFromVector)", "vx vy vz px py pz", "heading pitch", 6, 2,
				AddVectorAndPositionSystemOptions, RunHeadingPitch},
			{"vector-from-heading-pitch", "Unit vector of a heading and pitch in degrees (VectorFromHeadingPitchDeg)", "heading pitch px py pz", "x y z", 5, 3,
				AddVectorAndPositionSystemOptions, RunVectorFromHeadingPitch},
			{"gravity", "Gravity in m/s^2 at a position (GetGravity)", "x y z", "gx gy gz", 3, 3, AddGravityOptions, RunGravity},
			{"pose-to-ecef", "Engine-local pose (centimetres, rotation) to ECEF metres and rotation, through a world's coordinate-system actor (ConvertAuthorityLocalToEcef)",
				"x y z qx qy qz qw", "x y z qx qy qz qw", 7, 7, AddNoOptions, RunPoseToEcef, true},
			{"ecef-to-pose", "ECEF pose (metres, rotation) to an engine-local pose in centimetres, through a world's coordinate-system actor (ConvertEcefToAuthorityLocal)",
				"x y z qx qy qz qw", "x y z qx qy qz qw", 7, 7, AddNoOptions, RunEcefToPose, true},
			{"geodesic", "Geodesic (shortest path) or, with --rhumb, rhumb-line problems on the ellipsoid, as GeographicLib's GeodSolve and RhumbSolve "
				"(GetGeodesicInverse, GetGeodesicDirect, GetRhumbInverse, GetRhumbDirect); degrees, metres, azimuths clockwise from north",
				"--inverse: lat1 lon1 lat2 lon2; --direct: lat1 lon1 azi1 s12", "--inverse: azi1 azi2 s12 (--rhumb: azi12 s12); --direct: lat2 lon2 azi2 (--rhumb: lat2 lon2)",
				4, 3, AddGeodesicOptions, RunGeodesic, false, GeodesicOutputCount},
			{"polygon-area", "Perimeter and signed area of polygons with geodesic edges, as GeographicLib's Planimeter (GetPolygonArea); positive counter-clockwise",
				"lat lon, one vertex a line; a blank line ends each polygon", "count perimeter area (vertices, metres, square metres), one line a polygon", 2, 3,
				AddNoOptions, nullptr, false, nullptr, RunPolygonArea},
		};

		static_assert([] {
			for (const FCommand& Command : Commands)
			{
				if (Command.InputCount > MaxNumbersPerLine || Command.OutputCount > MaxNumbersPerLine)
				{
					return false;
				}
			}
			return true;
		}());
	}

	std::span<const FCommand> GetCommands()
	{
		return Commands;
	}
}
