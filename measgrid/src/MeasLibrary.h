#pragma once
// MeasLibrary: the descriptor of the control library measgrid (type
// library "trelvan13") with its one class Messungen and the library-wide
// state, one MeasState per host thread.
#include "MeasState.h"
#include "hosting/LibraryDescriptor.h"
#include "hosting/PerThreadState.h"

namespace measgrid {

inline constexpr const char* kTypeLibraryName = "trelvan13";
inline constexpr const char* kTypeLibraryId = "D387C1C2-6900-48D8-9413-CB12CAE6FEB0";
inline constexpr const char* kClassName = "Messungen";
inline constexpr const char* kClassId = "D78FE8B5-5A11-4D0F-996C-D6E70F2BECE6";
inline constexpr const char* kInterfaceName = "_Messungen";
inline constexpr const char* kInterfaceId = "11D8D4E1-1BBD-43EC-8489-E06A1169F87D";
inline constexpr const char* kEventInterfaceName = "__Messungen";
inline constexpr const char* kEventInterfaceId = "A0812AD1-2D1C-406A-9158-9779E913D687";

class MeasLibrary : public hosting::LibraryDescriptor {
public:
    MeasLibrary();
    hosting::PerThreadState<MeasState> state;
};

} // namespace measgrid
