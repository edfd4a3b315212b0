// runtime/builtin_catalog_modules_12_37.cpp: member tables of builtin modules 12 to 37
// (Console to Random). A member's number is its row's position; rows may only be appended.
#include "runtime/builtin_catalog.h"

#include <iterator>

namespace tarvik {
namespace {

// 12 Console
// The ConsoleColor group is six flat constants (25..30) whose names keep the
// "ConsoleColor." prefix; there is no nested module object.
constexpr CatalogMember kConsoleMembers[] = {
    /*  0 */ function_row("Write", 1, kVariadic),
    /*  1 */ function_row("WriteLine", 1, kVariadic),
    /*  2 */ function_row("WriteLines", 1, kVariadic),
    /*  3 */ function_row("ReadLine", 0, 0),
    /*  4 */ function_row("ReadChar", 0, 0),
    /*  5 */ function_row("ReadFloat", 0, 0),
    /*  6 */ function_row("ReadInt", 0, 0),
    /*  7 */ function_row("Ok", 1, kVariadic),
    /*  8 */ function_row("Warn", 1, kVariadic),
    /*  9 */ function_row("Error", 1, kVariadic),
    /* 10 */ function_row("KeyPressed", 0, 0),
    /* 11 */ function_row("TryReadChar", 0, 0),
    /* 12 */ function_row("SetColor", 1, 0),
    /* 13 */ function_row("SetBackground", 1, 0),
    /* 14 */ function_row("IsTTY", 0, 0),
    /* 15 */ function_row("SaveCursor", 0, 0),
    /* 16 */ function_row("RestoreCursor", 0, 0),
    /* 17 */ function_row("SetCursor", 2, 0),
    /* 18 */ function_row("GetCursor", 0, 0),
    /* 19 */ function_row("Size", 0, 0),
    /* 20 */ function_row("ReadPassword", 0, 0),
    /* 21 */ function_row("Clear", 0, 0),
    /* 22 */ function_row("ClearLine", 0, 0),
    /* 23 */ function_row("SetRaw", 1, 0),
    /* 24 */ function_row("ReadKey", 0, 0),
    /* 25 */ int_row("ConsoleColor.Default", 0),
    /* 26 */ int_row("ConsoleColor.Red", 31),
    /* 27 */ int_row("ConsoleColor.Green", 32),
    /* 28 */ int_row("ConsoleColor.Blue", 34),
    /* 29 */ int_row("ConsoleColor.Yellow", 33),
    /* 30 */ int_row("ConsoleColor.Cyan", 36),
};
static_assert(std::size(kConsoleMembers) == 31);

// 13 Debug
constexpr CatalogMember kDebugMembers[] = {
    /* 0 */ function_row("Stack", 0, 0),
    /* 1 */ function_row("Pool", 0, 0),
    /* 2 */ function_row("Value", 1, 0),
    /* 3 */ function_row("Assert", 2, 1),
    /* 4 */ function_row("AssertTrue", 1, 1),
    /* 5 */ function_row("StackPtr", 0, 0),
    /* 6 */ function_row("Refs", 1, 0),
    /* 7 */ function_row("GuardAddress", 1, 0),
    /* 8 */ function_row("Here", 0, 1),
};
static_assert(std::size(kDebugMembers) == 9);

// 14 File
constexpr CatalogMember kFileMembers[] = {
    /*  0 */ function_row("ReadLines", 1, 0),
    /*  1 */ function_row("WriteLines", 2, 0),
    /*  2 */ function_row("AppendLines", 2, 0),
    /*  3 */ function_row("ReadText", 1, 0),
    /*  4 */ function_row("WriteText", 2, 0),
    /*  5 */ function_row("AppendText", 2, 0),
    /*  6 */ function_row("Exists", 1, 0),
    /*  7 */ function_row("Delete", 1, 0),
    /*  8 */ function_row("Copy", 2, 0),
    /*  9 */ function_row("Move", 2, 0),
    /* 10 */ function_row("Size", 1, 0),
    /* 11 */ function_row("GetModifiedTime", 1, 0),
    /* 12 */ function_row("Touch", 1, 0),
    /* 13 */ function_row("WriteAllBytes", 2, 0),
    /* 14 */ function_row("ReadAllBytes", 1, 0),
    /* 15 */ function_row("Sha256", 1, 1),
    /* 16 */ function_row("ReadTextAsync", 1, 0),
    /* 17 */ function_row("ReadAllBytesAsync", 1, 0),
    /* 18 */ function_row("WriteTextAsync", 2, 0),
    /* 19 */ function_row("CopyAsync", 2, 0),
    /* 20 */ function_row("Sha256Async", 1, 1),
    /* 21 */ function_row("Stat", 1, 0),
    /* 22 */ function_row("SetModifiedTime", 2, 0),
    /* 23 */ function_row("SetMode", 2, 0),
    /* 24 */ function_row("WriteAtomic", 2, 0),
    /* 25 */ function_row("CreateSymlink", 2, 0),
    /* 26 */ function_row("CreateHardLink", 2, 0),
    /* 27 */ function_row("ReadLink", 1, 0),
    /* 28 */ function_row("Truncate", 2, 0),
    /* 29 */ function_row("Lines", 2, 0),
};
static_assert(std::size(kFileMembers) == 30);

// 15 Path
constexpr CatalogMember kPathMembers[] = {
    /*  0 */ function_row("Combine", 2, 15),
    /*  1 */ function_row("GetExtension", 1, 0),
    /*  2 */ function_row("GetFileName", 1, 0),
    /*  3 */ function_row("GetFileNameWithoutExtension", 1, 0),
    /*  4 */ function_row("GetDirectoryName", 1, 0),
    /*  5 */ function_row("ChangeExtension", 2, 0),
    /*  6 */ function_row("GetFullPath", 1, 0),
    /*  7 */ function_row("HasExtension", 1, 0),
    /*  8 */ function_row("GetRoot", 1, 0),
    /*  9 */ function_row("TempFile", 0, 1),
    /* 10 */ function_row("GetCurrentDir", 0, 0),
    /* 11 */ function_row("IsAbsolute", 1, 0),
    /* 12 */ function_row("Normalize", 1, 0),
    /* 13 */ function_row("Resolve", 1, 0),
    /* 14 */ function_row("GetRelativePath", 2, 0),
};
static_assert(std::size(kPathMembers) == 15);

// 16 Directory
constexpr CatalogMember kDirectoryMembers[] = {
    /*  0 */ function_row("Exists", 1, 0),
    /*  1 */ function_row("Create", 1, 0),
    /*  2 */ function_row("Delete", 1, 0),
    /*  3 */ function_row("List", 1, 0),
    /*  4 */ function_row("ListFiles", 1, 1),
    /*  5 */ function_row("ListDirs", 1, 0),
    /*  6 */ function_row("Ensure", 1, 0),
    /*  7 */ function_row("GetModifiedTime", 1, 0),
    /*  8 */ function_row("Glob", 1, 1),
    /*  9 */ function_row("DeleteAll", 1, 0),
    /* 10 */ function_row("Copy", 2, 0),
    /* 11 */ function_row("Move", 2, 0),
    /* 12 */ function_row("CreateTemp", 0, 1),
};
static_assert(std::size(kDirectoryMembers) == 13);

// 17 Time
constexpr CatalogMember kTimeMembers[] = {
    /*  0 */ function_row("Now", 0, 0, ATTR_STATEFUL),
    /*  1 */ function_row("Millis", 0, 0, ATTR_STATEFUL),
    /*  2 */ function_row("Format", 1, 1, ATTR_STATEFUL | ATTR_FRESH),
    /*  3 */ function_row("Parse", 1, 1, ATTR_STATEFUL),
    /*  4 */ function_row("AddSeconds", 2, 0, ATTR_PURE),
    /*  5 */ function_row("AddMinutes", 2, 0, ATTR_PURE),
    /*  6 */ function_row("AddHours", 2, 0, ATTR_PURE),
    /*  7 */ function_row("AddDays", 2, 0, ATTR_PURE),
    /*  8 */ function_row("AddWeeks", 2, 0, ATTR_PURE),
    /*  9 */ function_row("DiffDays", 2, 0, ATTR_PURE),
    /* 10 */ function_row("Year", 1, 0, ATTR_PURE),
    /* 11 */ function_row("Month", 1, 0, ATTR_PURE),
    /* 12 */ function_row("Day", 1, 0, ATTR_PURE),
    /* 13 */ function_row("Hour", 1, 0, ATTR_PURE),
    /* 14 */ function_row("Minute", 1, 0, ATTR_PURE),
    /* 15 */ function_row("Second", 1, 0, ATTR_PURE),
    /* 16 */ function_row("Weekday", 1, 0, ATTR_PURE),
    /* 17 */ function_row("FromMillis", 1, 0, ATTR_PURE),
    /* 18 */ function_row("TimeZoneOffsetMins", 0, 1),
    /* 19 */ function_row("Ticks", 0, 0, ATTR_STATEFUL),
    /* 20 */ function_row("TicksToMs", 1, 0, ATTR_PURE),
    /* 21 */ function_row("TicksToUs", 1, 0, ATTR_PURE),
    /* 22 */ function_row("NowMillis", 0, 0, ATTR_STATEFUL),
    /* 23 */ function_row("ToMillis", 1, 0, ATTR_PURE),
};
static_assert(std::size(kTimeMembers) == 24);

// 18 Os
constexpr CatalogMember kOsMembers[] = {
    /*  0 */ function_row("Execute", 1, 0),
    /*  1 */ function_row("Setenv", 2, 0),
    /*  2 */ function_row("Getenv", 1, 0),
    /*  3 */ function_row("Name", 0, 0),
    /*  4 */ function_row("Args", 0, 0),
    /*  5 */ function_row("TempDir", 0, 0),
    /*  6 */ function_row("Sleep", 1, 0),
    /*  7 */ function_row("GetArgValue", 1, 1),
    /*  8 */ function_row("Pid", 0, 0),
    /*  9 */ function_row("Ppid", 0, 0),
    /* 10 */ function_row("Uid", 0, 0),
    /* 11 */ function_row("Gid", 0, 0),
    /* 12 */ function_row("IsRoot", 0, 0),
    /* 13 */ function_row("Chdir", 1, 0),
    /* 14 */ function_row("Kill", 2, 0),
    /* 15 */ function_row("Wait", 1, 0),
    /* 16 */ function_row("Exec", 1, 1),
    /* 17 */ function_row("Arch", 0, 0),
    /* 18 */ function_row("Bits", 0, 0),
    /* 19 */ function_row("ExecuteAsync", 1, 0),
    /* 20 */ function_row("Spawn", 1, 1),
    /* 21 */ function_row("ReadPipe", 1, 0),
    /* 22 */ function_row("WritePipe", 2, 0),
    /* 23 */ function_row("ClosePipe", 1, 0),
    /* 24 */ function_row("IsAlive", 1, 0),
    /* 25 */ function_row("RunEx", 1, 1),
    /* 26 */ function_row("GetEnvAll", 0, 0),
    /* 27 */ function_row("TryWait", 1, 0),
    /* 28 */ function_row("KillChild", 2, 0),
    /* 29 */ function_row("GetCwd", 0, 0),
};
static_assert(std::size(kOsMembers) == 30);

// 19 Buffer
constexpr CatalogMember kBufferMembers[] = {
    /*  0 */ function_row("Create", 2, 0, ATTR_STATEFUL | ATTR_FRESH),
    /*  1 */ function_row("Copy", 5, 0, ATTR_STATEFUL),
    /*  2 */ function_row("Fill", 2, 0, ATTR_STATEFUL),
    /*  3 */ function_row("FromArray", 2, 0, ATTR_STATEFUL),
    /*  4 */ function_row("ToArray", 1, 2, ATTR_STATEFUL | ATTR_FRESH),
    /*  5 */ function_row("Slice", 3, 0, ATTR_PURE | ATTR_FRESH),
    /*  6 */ function_row("GetAddress", 1, 0, ATTR_STATEFUL),
    /*  7 */ function_row("ChangeToString", 1, 0),
    /*  8 */ function_row("FromString", 1, 0, ATTR_PURE | ATTR_FRESH),
    /*  9 */ function_row("ToString", 1, 0, ATTR_STATEFUL | ATTR_FRESH),
    /* 10 */ function_row("CopyBytesToArray", 2, 1),
    /* 11 */ function_row("StringToArray", 2, 1),
    /* 12 */ function_row("Reserve", 2, 0),
    /* 13 */ function_row("WriteU8At", 3, 0, ATTR_STATEFUL),
    /* 14 */ function_row("WriteU16At", 3, 1, ATTR_STATEFUL),
    /* 15 */ function_row("WriteU32At", 3, 1, ATTR_STATEFUL),
    /* 16 */ function_row("WriteU64At", 3, 1, ATTR_STATEFUL),
    /* 17 */ function_row("ReadU8At", 2, 0, ATTR_STATEFUL),
    /* 18 */ function_row("ReadU16At", 2, 1, ATTR_STATEFUL),
    /* 19 */ function_row("ReadU32At", 2, 1, ATTR_STATEFUL),
    /* 20 */ function_row("ReadU64At", 2, 1, ATTR_STATEFUL),
    /* 21 */ function_row("CopyStringAt", 3, 1, ATTR_STATEFUL),
    /* 22 */ function_row("WriteVarintAt", 3, 0, ATTR_STATEFUL),
    /* 23 */ function_row("ReadVarintAt", 2, 0, ATTR_STATEFUL | ATTR_FRESH),
    /* 24 */ function_row("FillRange", 4, 0, ATTR_STATEFUL),
    /* 25 */ function_row("IndexOf", 2, 1, ATTR_STATEFUL),
    /* 26 */ function_row("Compare", 2, 0, ATTR_STATEFUL),
    /* 27 */ function_row("Equals", 2, 0, ATTR_STATEFUL),
    /* 28 */ function_row("ReadI8At", 2, 0, ATTR_STATEFUL),
    /* 29 */ function_row("ReadI16At", 2, 1, ATTR_STATEFUL),
    /* 30 */ function_row("ReadI32At", 2, 1, ATTR_STATEFUL),
    /* 31 */ function_row("ReadFloat32At", 2, 1, ATTR_STATEFUL),
    /* 32 */ function_row("ReadFloat64At", 2, 1, ATTR_STATEFUL),
    /* 33 */ function_row("WriteFloat32At", 3, 1, ATTR_STATEFUL),
    /* 34 */ function_row("WriteFloat64At", 3, 1, ATTR_STATEFUL),
    /* 35 */ function_row("ProcessCallback", 5, 0),
    /* 36 */ function_row("ProcessEvent", 5, 0),
    /* 37 */ function_row("Fill16", 2, 1, ATTR_STATEFUL),
    /* 38 */ function_row("Fill32", 2, 1, ATTR_STATEFUL),
    /* 39 */ function_row("Fill64", 2, 1, ATTR_STATEFUL),
    /* 40 */ function_row("FillPattern", 2, 0, ATTR_STATEFUL),
    /* 41 */ function_row("Reverse", 1, 0, ATTR_STATEFUL),
    /* 42 */ function_row("CopyWithin", 4, 0, ATTR_STATEFUL),
    /* 43 */ function_row("Concat", 2, 0, ATTR_FRESH),
    /* 44 */ function_row("Append", 2, 0),
};
static_assert(std::size(kBufferMembers) == 45);

// 20 Regex
constexpr CatalogMember kRegexMembers[] = {
    /* 0 */ function_row("Match", 2, 0, ATTR_PURE | ATTR_FRESH),
    /* 1 */ function_row("Matches", 2, 0),
    /* 2 */ function_row("Replace", 3, 0, ATTR_PURE | ATTR_FRESH),
    /* 3 */ function_row("IsMatch", 2, 0, ATTR_PURE),
    /* 4 */ function_row("Split", 2, 0),
    /* 5 */ function_row("Capture", 2, 0),
    /* 6 */ function_row("ReplaceFn", 3, 0),
};
static_assert(std::size(kRegexMembers) == 7);

// 21 Fiber
// The Status group is seven flat constants (15..21) named "Status.<Name>"; they
// do not clash with the Status function (3), whose name has no dot.
constexpr CatalogMember kFiberMembers[] = {
    /*  0 */ function_row("New", 1, 0),
    /*  1 */ function_row("Run", 1, 0),
    /*  2 */ function_row("Resume", 1, 1),
    /*  3 */ function_row("Status", 1, 0),
    /*  4 */ function_row("IsDone", 1, 0),
    /*  5 */ function_row("Sleep", 1, 0),
    /*  6 */ function_row("Cancel", 1, 0),
    /*  7 */ function_row("CancelIo", 1, 0),
    /*  8 */ function_row("Id", 0, 0),
    /*  9 */ function_row("FromId", 1, 0),
    /* 10 */ function_row("SetQuantum", 2, 0),
    /* 11 */ function_row("SendMessage", 2, 0),
    /* 12 */ function_row("HasMessage", 1, 0),
    /* 13 */ function_row("GetMessage", 1, 0),
    /* 14 */ function_row("MessageCount", 1, 0),
    /* 15 */ int_row("Status.New", 0),
    /* 16 */ int_row("Status.Running", 1),
    /* 17 */ int_row("Status.Suspended", 2),
    /* 18 */ int_row("Status.Finished", 3),
    /* 19 */ int_row("Status.WaitIO", 4),
    /* 20 */ int_row("Status.Yield", 5),
    /* 21 */ int_row("Status.WaitFiber", 6),
};
static_assert(std::size(kFiberMembers) == 22);

// 22 Scheduler
constexpr CatalogMember kSchedulerMembers[] = {
    /* 0 */ function_row("HasReadyFibers", 0, 0),
    /* 1 */ function_row("Schedule", 1, 0),
};
static_assert(std::size(kSchedulerMembers) == 2);

// 23 Collections
constexpr CatalogMember kCollectionsMembers[] = {
    /* 0 */ function_row("Stack", 0, 0),
    /* 1 */ function_row("Queue", 0, 0),
    /* 2 */ function_row("HashMap", 0, 1),
    /* 3 */ function_row("PriorityQueue", 0, 0),
    /* 4 */ function_row("MaxPriorityQueue", 0, 0),
    /* 5 */ function_row("LinkedList", 0, 0),
    /* 6 */ function_row("Set", 0, 1),
    /* 7 */ function_row("OrderedMap", 0, 0),
};
static_assert(std::size(kCollectionsMembers) == 8);

// 24 Memory
constexpr CatalogMember kMemoryMembers[] = {
    /*  0 */ function_row("Read8", 1, 1, ATTR_STATEFUL),
    /*  1 */ function_row("Read16", 1, 1, ATTR_STATEFUL),
    /*  2 */ function_row("Read32", 1, 1, ATTR_STATEFUL),
    /*  3 */ function_row("Read64", 1, 1, ATTR_STATEFUL),
    /*  4 */ function_row("Write8", 2, 1, ATTR_STATEFUL),
    /*  5 */ function_row("Write16", 2, 1, ATTR_STATEFUL),
    /*  6 */ function_row("Write32", 2, 1, ATTR_STATEFUL),
    /*  7 */ function_row("Write64", 2, 1, ATTR_STATEFUL),
    /*  8 */ function_row("Copy", 3, 0, ATTR_STATEFUL),
    /*  9 */ function_row("Compare", 3, 0, ATTR_STATEFUL),
    /* 10 */ function_row("Alloc", 1, 0),
    /* 11 */ function_row("Free", 1, 0),
    /* 12 */ function_row("ReadFloat32", 1, 1, ATTR_STATEFUL),
    /* 13 */ function_row("ReadFloat64", 1, 1, ATTR_STATEFUL),
    /* 14 */ function_row("WriteFloat32", 2, 1, ATTR_STATEFUL),
    /* 15 */ function_row("WriteFloat64", 2, 1, ATTR_STATEFUL),
    /* 16 */ function_row("ReadString", 1, 1, ATTR_STATEFUL | ATTR_FRESH),
    /* 17 */ function_row("WriteString", 2, 1, ATTR_STATEFUL),
    /* 18 */ function_row("ReadBytes", 1, 1, ATTR_STATEFUL | ATTR_FRESH),
    /* 19 */ function_row("WriteBytes", 2, 1, ATTR_STATEFUL),
    /* 20 */ function_row("BitSet", 2, 1, ATTR_STATEFUL),
    /* 21 */ function_row("BitClear", 2, 1, ATTR_STATEFUL),
    /* 22 */ function_row("BitToggle", 2, 1, ATTR_STATEFUL),
    /* 23 */ function_row("BitTest", 2, 1, ATTR_STATEFUL),
    /* 24 */ function_row("IsLittleEndian", 0, 0, ATTR_PURE),
    /* 25 */ function_row("Swap16", 1, 0, ATTR_PURE),
    /* 26 */ function_row("Swap32", 1, 0, ATTR_PURE),
    /* 27 */ function_row("Swap64", 1, 0, ATTR_PURE),
    /* 28 */ function_row("Pin", 2, 0),
    /* 29 */ function_row("Unpin", 1, 0),
    /* 30 */ function_row("Process", 4, 0),
    /* 31 */ function_row("ProcessCallback", 5, 0),
    /* 32 */ function_row("ProcessEvent", 5, 0),
    /* 33 */ function_row("Fill", 3, 0, ATTR_STATEFUL),
    /* 34 */ function_row("Move", 3, 0, ATTR_STATEFUL),
};
static_assert(std::size(kMemoryMembers) == 35);

// 25 Event
constexpr CatalogMember kEventMembers[] = {
    /* 0 */ function_row("Create", 0, 0),
    /* 1 */ function_row("WaitOne", 1, 1),
    /* 2 */ function_row("Set", 1, 1, ATTR_STATEFUL),
    /* 3 */ function_row("WaitFor", 1, 1),
    /* 4 */ function_row("Free", 1, 0),
    /* 5 */ function_row("Reset", 1, 0),
};
static_assert(std::size(kEventMembers) == 6);

// 26 Compress
constexpr CatalogMember kCompressMembers[] = {
    /* 0 */ function_row("Zip", 1, 1, ATTR_PURE),
    /* 1 */ function_row("Unzip", 1, 1, ATTR_PURE),
};
static_assert(std::size(kCompressMembers) == 2);

// 27 Archive
constexpr CatalogMember kArchiveMembers[] = {
    /* 0 */ function_row("Open", 1, 0),
    /* 1 */ function_row("OpenFile", 1, 0),
    /* 2 */ function_row("Create", 0, 0),
};
static_assert(std::size(kArchiveMembers) == 3);

// 28 Crypto
constexpr CatalogMember kCryptoMembers[] = {
    /*  0 */ function_row("Encrypt", 3, 0),
    /*  1 */ function_row("Decrypt", 5, 0),
    /*  2 */ function_row("RandomBytes", 1, 0),
    /*  3 */ function_row("HmacSha256", 2, 0, ATTR_STATEFUL | ATTR_FRESH),
    /*  4 */ function_row("HmacSha1", 2, 0, ATTR_STATEFUL | ATTR_FRESH),
    /*  5 */ function_row("HmacSha512", 2, 0, ATTR_STATEFUL | ATTR_FRESH),
    /*  6 */ function_row("Ed25519KeyPair", 0, 0),
    /*  7 */ function_row("Ed25519Sign", 2, 0, ATTR_STATEFUL | ATTR_FRESH),
    /*  8 */ function_row("Ed25519Verify", 3, 0, ATTR_STATEFUL),
    /*  9 */ function_row("X25519KeyPair", 0, 0),
    /* 10 */ function_row("X25519Shared", 2, 0, ATTR_PURE | ATTR_FRESH),
    /* 11 */ function_row("Argon2", 2, 2),
    /* 12 */ function_row("ConstantTimeEquals", 2, 0, ATTR_STATEFUL),
};
static_assert(std::size(kCryptoMembers) == 13);

// 29 Convert
constexpr CatalogMember kConvertMembers[] = {
    /*  0 */ function_row("ToInt8", 1, 0, ATTR_PURE),
    /*  1 */ function_row("ToInt16", 1, 0, ATTR_PURE),
    /*  2 */ function_row("ToInt32", 1, 0, ATTR_PURE),
    /*  3 */ function_row("ToInt64", 1, 0, ATTR_PURE),
    /*  4 */ function_row("ToUInt8", 1, 0, ATTR_PURE),
    /*  5 */ function_row("ToUInt16", 1, 0, ATTR_PURE),
    /*  6 */ function_row("ToUInt32", 1, 0, ATTR_PURE),
    /*  7 */ function_row("ToUInt64", 1, 0, ATTR_PURE),
    /*  8 */ function_row("ToFloat", 1, 0, ATTR_PURE),
    /*  9 */ function_row("ToInt", 1, 0, ATTR_PURE),
    /* 10 */ function_row("ToBool", 1, 0, ATTR_PURE),
    /* 11 */ function_row("ToChar", 1, 0, ATTR_PURE),
    /* 12 */ function_row("ToString", 1, 0, ATTR_PURE | ATTR_FRESH),
    /* 13 */ function_row("ParseInt", 1, 0, ATTR_PURE),
    /* 14 */ function_row("ParseUInt", 1, 0, ATTR_PURE),
    /* 15 */ function_row("ParseFloat", 1, 0, ATTR_PURE),
    /* 16 */ function_row("TryParseInt", 1, 0, ATTR_PURE),
    /* 17 */ function_row("TryParseUInt", 1, 0, ATTR_PURE),
    /* 18 */ function_row("TryParseFloat", 1, 0, ATTR_PURE),
    /* 19 */ function_row("ParseBool", 1, 0, ATTR_PURE),
    /* 20 */ function_row("TryParseBool", 1, 0, ATTR_PURE),
    /* 21 */ function_row("ParseChar", 1, 0, ATTR_PURE),
    /* 22 */ function_row("TryParseChar", 1, 0, ATTR_PURE),
    /* 23 */ function_row("ParseRadix", 2, 0, ATTR_PURE),
    /* 24 */ function_row("ToRadixString", 2, 0, ATTR_PURE | ATTR_FRESH),
};
static_assert(std::size(kConvertMembers) == 25);

// 30 Class
constexpr CatalogMember kClassMembers[] = {
    /*  0 */ function_row("InstanceOf", 2, 0, ATTR_STATEFUL),
    /*  1 */ function_row("SubclassOf", 2, 0, ATTR_STATEFUL),
    /*  2 */ function_row("GetBase", 1, 0),
    /*  3 */ function_row("GetName", 1, 0),
    /*  4 */ function_row("IsInstance", 1, 0, ATTR_PURE),
    /*  5 */ function_row("IsClass", 1, 0, ATTR_PURE),
    /*  6 */ function_row("InstanceMethods", 1, 0),
    /*  7 */ function_row("StaticMethods", 1, 0),
    /*  8 */ function_row("Invoke", 2, kVariadic),
    /*  9 */ function_row("Instantiate", 1, 0),
    /* 10 */ function_row("Fields", 1, 0),
    /* 11 */ function_row("Name", 1, 0),
    /* 12 */ function_row("Of", 1, 0),
    /* 13 */ function_row("AllMethods", 1, 0),
    /* 14 */ function_row("GetField", 2, 0),
    /* 15 */ function_row("SetField", 3, 0),
    /* 16 */ function_row("HasMethod", 2, 0),
    /* 17 */ function_row("GetMethod", 2, 0),
    /* 18 */ function_row("New", 1, kVariadic),
};
static_assert(std::size(kClassMembers) == 19);

// 31 Ffi
constexpr CatalogMember kFfiMembers[] = {
    /*  0 */ function_row("Load", 2, 1),
    /*  1 */ function_row("GetFunction", 2, 1),
    /*  2 */ function_row("SetCallback", 3, 0),
    /*  3 */ function_row("HasFunction", 2, 0),
    /*  4 */ function_row("RemoveCallback", 2, 0),
    /*  5 */ function_row("GetVersion", 1, 0),
    /*  6 */ function_row("Call", 2, 4),
    /*  7 */ function_row("CallAsync", 2, 0),
    /*  8 */ function_row("LastError", 0, 0),
    /*  9 */ int_row("LAZY", 0),
    /* 10 */ int_row("NOW", 0),
    /* 11 */ int_row("GLOBAL", 0),
};
static_assert(std::size(kFfiMembers) == 12);

// 32 Gfx
constexpr CatalogMember kGfxMembers[] = {
    /* 0 */ function_row("Create", 2, 0),
    /* 1 */ function_row("CreateFromFile", 1, 0),
    /* 2 */ function_row("RGB", 3, 0, ATTR_PURE),
    /* 3 */ function_row("RGBA", 4, 0, ATTR_PURE),
    /* 4 */ function_row("HSL", 3, 0, ATTR_PURE),
};
static_assert(std::size(kGfxMembers) == 5);

// 33 FileWatch
constexpr CatalogMember kFileWatchMembers[] = {
    /* 0 */ function_row("Open", 2, 1),
    /* 1 */ function_row("Close", 1, 0),
};
static_assert(std::size(kFileWatchMembers) == 2);

// 34 Type
// The constants are the type masks of the value model (T_*) and their unions.
constexpr CatalogMember kTypeMembers[] = {
    /*  0 */ int_row("Nil", 1),
    /*  1 */ int_row("Bool", 128),
    /*  2 */ int_row("Char", 2),
    /*  3 */ int_row("Int", 8),
    /*  4 */ int_row("Float", 4),
    /*  5 */ int_row("String", 16),
    /*  6 */ int_row("Array", 64),
    /*  7 */ int_row("Object", 32),
    /*  8 */ int_row("Function", 65536),
    /*  9 */ int_row("BuiltinFunction", 131072),
    /* 10 */ int_row("FFIFunction", 8388608),
    /* 11 */ int_row("BoundMethod", 1048576),
    /* 12 */ int_row("Class", 16777216),
    /* 13 */ int_row("Instance", 33554432),
    /* 14 */ int_row("Module", 262144),
    /* 15 */ int_row("Fiber", 4194304),
    /* 16 */ int_row("Exception", 524288),
    /* 17 */ int_row("Stream", 67108864),
    /* 18 */ int_row("Block", 256),
    /* 19 */ int_row("Pointer", 2097152),
    /* 20 */ int_row("Number", 12),
    /* 21 */ int_row("Numeric", 142),
    /* 22 */ int_row("Callable", 9633792),
    /* 23 */ int_row("ObjectLike", 50593824),
    /* 24 */ function_row("Is", 2, 0, ATTR_PURE),
    /* 25 */ function_row("Name", 1, 0, ATTR_PURE | ATTR_FRESH),
    /* 26 */ function_row("Assert", 2, 1, ATTR_PURE),
    /* 27 */ function_row("Of", 1, 0, ATTR_PURE),
    /* 28 */ function_row("NameOf", 1, 0, ATTR_PURE | ATTR_FRESH),
    /* 29 */ function_row("IsInt", 1, 0, ATTR_PURE),
    /* 30 */ function_row("IsFloat", 1, 0, ATTR_PURE),
    /* 31 */ function_row("IsNumber", 1, 0, ATTR_PURE),
    /* 32 */ function_row("IsString", 1, 0, ATTR_PURE),
    /* 33 */ function_row("IsBool", 1, 0, ATTR_PURE),
    /* 34 */ function_row("IsChar", 1, 0, ATTR_PURE),
    /* 35 */ function_row("IsNil", 1, 0, ATTR_PURE),
    /* 36 */ function_row("IsArray", 1, 0, ATTR_PURE),
    /* 37 */ function_row("IsObject", 1, 0, ATTR_PURE),
    /* 38 */ function_row("IsFunction", 1, 0, ATTR_PURE),
    /* 39 */ function_row("IsCallable", 1, 0, ATTR_PURE),
    /* 40 */ function_row("IsInstance", 1, 0, ATTR_PURE),
    /* 41 */ function_row("IsClass", 1, 0, ATTR_PURE),
    /* 42 */ function_row("IsFiber", 1, 0, ATTR_PURE),
    /* 43 */ function_row("IsStream", 1, 0, ATTR_PURE),
    /* 44 */ function_row("IsBlock", 1, 0, ATTR_PURE),
    /* 45 */ function_row("IsException", 1, 0, ATTR_PURE),
    /* 46 */ function_row("IsModule", 1, 0, ATTR_PURE),
};
static_assert(std::size(kTypeMembers) == 47);

// 35 Char
constexpr CatalogMember kCharMembers[] = {
    /*  0 */ function_row("IsAlpha", 1, 0, ATTR_PURE),
    /*  1 */ function_row("IsDigit", 1, 0, ATTR_PURE),
    /*  2 */ function_row("IsAlNum", 1, 0, ATTR_PURE),
    /*  3 */ function_row("IsUpper", 1, 0, ATTR_PURE),
    /*  4 */ function_row("IsLower", 1, 0, ATTR_PURE),
    /*  5 */ function_row("IsSpace", 1, 0, ATTR_PURE),
    /*  6 */ function_row("IsPunct", 1, 0, ATTR_PURE),
    /*  7 */ function_row("IsXDigit", 1, 0, ATTR_PURE),
    /*  8 */ function_row("IsPrint", 1, 0, ATTR_PURE),
    /*  9 */ function_row("IsControl", 1, 0, ATTR_PURE),
    /* 10 */ function_row("ToUpper", 1, 0, ATTR_PURE),
    /* 11 */ function_row("ToLower", 1, 0, ATTR_PURE),
    /* 12 */ function_row("SwapCase", 1, 0, ATTR_PURE),
    /* 13 */ function_row("IsAscii", 1, 0, ATTR_PURE),
    /* 14 */ function_row("IsCased", 1, 0, ATTR_PURE),
    /* 15 */ function_row("IsNewline", 1, 0, ATTR_PURE),
    /* 16 */ function_row("Utf8Len", 1, 0, ATTR_PURE),
    /* 17 */ function_row("DigitValue", 1, 0, ATTR_PURE),
    /* 18 */ function_row("Code", 1, 0, ATTR_PURE),
    /* 19 */ function_row("FromInt", 1, 0, ATTR_PURE),
};
static_assert(std::size(kCharMembers) == 20);

// 36 Tls
constexpr CatalogMember kTlsMembers[] = {
    /*  0 */ function_row("Connect", 2, 3),
    /*  1 */ function_row("Write", 2, 0),
    /*  2 */ function_row("ReadLine", 1, 0),
    /*  3 */ function_row("ReadN", 2, 0),
    /*  4 */ function_row("ReadAll", 1, 0),
    /*  5 */ function_row("Close", 1, 0),
    /*  6 */ function_row("LastError", 1, 0),
    /*  7 */ function_row("Available", 0, 0),
    /*  8 */ function_row("PeerCert", 1, 0),
    /*  9 */ function_row("ConnectAsync", 2, 3),
    /* 10 */ function_row("WriteAsync", 2, 0),
    /* 11 */ function_row("ReadLineAsync", 1, 0),
    /* 12 */ function_row("ReadNAsync", 2, 0),
    /* 13 */ function_row("ReadAllAsync", 1, 0),
};
static_assert(std::size(kTlsMembers) == 14);

// 37 Random
constexpr CatalogMember kRandomMembers[] = {
    /* 0 */ function_row("New", 0, 1),
};
static_assert(std::size(kRandomMembers) == 1);

}  // namespace

// A module's number is its position in the registry; compiled code depends on this order.
constinit const CatalogModule kCatalogModules12to37[26] = {
    module_entry("Console", kConsoleMembers),
    module_entry("Debug", kDebugMembers),
    module_entry("File", kFileMembers),
    module_entry("Path", kPathMembers),
    module_entry("Directory", kDirectoryMembers),
    module_entry("Time", kTimeMembers),
    module_entry("Os", kOsMembers),
    module_entry("Buffer", kBufferMembers),
    module_entry("Regex", kRegexMembers),
    module_entry("Fiber", kFiberMembers),
    module_entry("Scheduler", kSchedulerMembers),
    module_entry("Collections", kCollectionsMembers),
    module_entry("Memory", kMemoryMembers),
    module_entry("Event", kEventMembers),
    module_entry("Compress", kCompressMembers),
    module_entry("Archive", kArchiveMembers),
    module_entry("Crypto", kCryptoMembers),
    module_entry("Convert", kConvertMembers),
    module_entry("Class", kClassMembers),
    module_entry("Ffi", kFfiMembers),
    module_entry("Gfx", kGfxMembers),
    module_entry("FileWatch", kFileWatchMembers),
    module_entry("Type", kTypeMembers),
    module_entry("Char", kCharMembers),
    module_entry("Tls", kTlsMembers),
    module_entry("Random", kRandomMembers),
};

}  // namespace tarvik
