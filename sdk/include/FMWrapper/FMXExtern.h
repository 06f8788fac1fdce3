// FileMaker plug-in SDK, as far as this project uses it: the call record the host passes to the
// plug-in's FMExternCallProc, the messages it carries and the replies.
#pragma once

#include "FMWrapper/FMXTypes.h"

typedef char FMX_Boolean;
typedef unsigned char FMX_UChar;
typedef unsigned char FMX_ExternCallSwitch;
typedef unsigned char FMX_Application;

// Messages (the call record's whichCall). The options string tells the host which it sends.
enum {
    kFMXT_Init = 0,  // start-up; parm1 the application, parm2 its version text
    kFMXT_Idle = 1,  // parm1 the idle level, parm2 the session
    kFMXT_Shutdown = 4,
    kFMXT_DoAppPreferences = 5,  // the user asked for the plug-in's preferences
    kFMXT_GetString = 7,         // parm1 which string, parm2 the language, parm3 the size
    kFMXT_SessionShutdown = 8,   // parm2 the session
    kFMXT_FileShutdown = 9,      // parm2 the session, parm3 the file
    kFMXT_SchemaChange = 10      // parm2 UTF-8 JSON, parm3 its length
};

// Strings the host asks for with kFMXT_GetString (parm1).
enum {
    kFMXT_NameStr = 128,       // the plug-in's name
    kFMXT_AppConfigStr = 129,  // the text of the host's plug-in preferences
    kFMXT_OptionsStr = 131     // the options string
};

// Applications (parm1 of kFMXT_Init), as far as the project's host plays them.
enum {
    kFMXT_Pro = 1,  // FileMaker Pro
    kFMXT_SASE = 7  // FileMaker Server's scripting process: server-side scripts and schedules
};

// The host's extension version (extnVersion) and the replies to kFMXT_Init (result).
enum {
    kBadExtnVersion = -1,
    kDoNotEnable = -2,
    kCurrentExtnVersion = 77,
    kMinExtnVersion = 4,
    kMaxExtnVersion = 255
};

struct FMX_ExternCallStruct;
typedef FMX_ExternCallStruct* FMX_ExternCallPtr;
typedef void (*FMX_ExternCallProc)(FMX_ExternCallPtr pb);
// The host's script and environment callbacks; the project never calls them, so only their
// size and place in the record are given here.
typedef void (*FMX_HostCallback)();

// Packed: the fields follow one another without padding (74 bytes on 64-bit Linux and macOS, 72
// on Windows, where unusedID has 16 bits).
#pragma pack(push, 1)
struct FMX_ExternCallStruct {
    fmx::int16 extnVersion;
    fmx::unusedid unusedID;  // -1
    FMX_ExternCallProc entryPoint;
    FMX_Boolean unusedFlag;  // 0
    FMX_ExternCallSwitch whichCall;
    FMX_Boolean unsafeCalls;  // the call is not on the host's main thread
    FMX_UChar parm1;
    fmx::ptrtype parm2;
    fmx::ptrtype parm3;
    fmx::ptrtype instanceID;  // the plug-in's module (Windows) or bundle (macOS)
    fmx::ptrtype result;
    fmx::ptrtype unused;
    FMX_HostCallback cStartScript;
    FMX_HostCallback cCurrentEnv;
};
#pragma pack(pop)
