#ifndef HALVEX_HOST_H
#define HALVEX_HOST_H
/*
 * The host side of the substitute PCB server module (libHalvex.so natively, "Halvex.dll" on
 * Windows): what a host program uses besides the PcbApi_ entries that plug-ins call. It opens board
 * documents, receives the progress calls of an import, and reads the whole board back.
 *
 * C linkage and C types only: the module may be built with another C++ runtime than the program
 * that uses it. Every string is a zero-terminated ANSI string. The server is single-threaded: call
 * it from the thread that runs the imports.
 *
 * Every function here and every PcbApi_ entry is exported under its plain name (on Windows the
 * stdcall PcbApi_ entries without "@N"), so GetProcAddress / dlsym find them by name. A program may
 * also link with the module: on Windows its import library libHalvex.dll.a names the PcbApi_
 * entries as their declarations (entries/ServerEntries.h) do.
 *
 * Units everywhere: coordinates and sizes are signed 32-bit host units of 1/10000 mil (10000 units
 * = 1 mil); angles and rotations are degrees. Layers are the host's 32-bit layer identifiers; a
 * classic layer (0..82, "TopLayer" = 1, "BottomLayer" = 32, "MultiLayer" = 74) has the identifier
 * equal to its number.
 */

#include <stdint.h>

/* Object kind codes (HALVEX_KIND_...). */
#include "ObjectKindCodes.h"

#if defined(_WIN32)
#if defined(HALVEX_BUILDING_SERVER)
#define HALVEX_HOST_API __declspec(dllexport)
#else
#define HALVEX_HOST_API
#endif
#else
#define HALVEX_HOST_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Statuses of the host functions (and of the server's PcbApi_ entries). */
#define HALVEX_STATUS_OK 0
/* The handle names no object of the kind the function works on. */
#define HALVEX_STATUS_NO_SUCH_OBJECT 1
/* An index or layer outside its range, or a container that does not take the object. */
#define HALVEX_STATUS_BAD_ARGUMENT 2

/* ---- Board documents ------------------------------------------------------------------------ */

/*
 * Opens a board document for the file name, as the host does before it calls an importer, and
 * returns its handle (never 0 for a name). The name is taken exactly as given (case and separators
 * matter): PcbApi_GetBoardHandleFromFullFileName answers this board for exactly this name. Opening
 * a name that is already open returns the same board. A null or empty name gives 0.
 */
HALVEX_HOST_API uint32_t Halvex_OpenBoard(const char* fileName);

/* The board open for exactly this name, or 0. */
HALVEX_HOST_API uint32_t Halvex_FindBoard(const char* fileName);

/*
 * Forgets every board, object and iterator: the server is as new (the progress sink stays). Handles
 * given before are never given again, so they stay unknown.
 */
HALVEX_HOST_API void Halvex_CloseAllBoards(void);

/* ---- Host rules ----------------------------------------------------------------------------- */

/*
 * How containers list their objects to the PcbApi_ iterators. Hosts differ here, so a plug-in must
 * ask the host rather than assume either; the server takes each choice so that tests can run a
 * plug-in under every combination:
 *   HALVEX_RULE_NEWEST_FIRST                the objects most recently added come first (default:
 *                                           in the order they were added);
 *   HALVEX_RULE_MULTILAYER_PADS_ON_COPPER   a "MultiLayer" pad is also met when a copper layer is
 *                                           iterated (signal layers 1..32 and internal planes
 *                                           39..54), not only on layer 74.
 * The read-only view below (Halvex_GetMemberAt) always lists members in the order they were added.
 * When the module is loaded the rules come from the environment variable HALVEX_HOST_RULES, a list
 * of the words "newest-first" and "multilayer-pads-on-copper" separated by commas or blanks
 * (other words are passed over); without it, the defaults. An iterator keeps the rules it was
 * made with; Halvex_CloseAllBoards does not change them.
 */
#define HALVEX_RULE_NEWEST_FIRST 1u
#define HALVEX_RULE_MULTILAYER_PADS_ON_COPPER 2u

/* Sets the rules (HALVEX_RULE_... flags, other bits ignored); returns the rules before the call. */
HALVEX_HOST_API uint32_t Halvex_SetHostRules(uint32_t rules);

/* ---- Progress ------------------------------------------------------------------------------- */

/* Called for PcbApi_Percent_Init: the caption (at most 255 characters) and the number of steps. */
typedef void (*HalvexProgressInit)(void* userData, const char* caption, int32_t steps);
/* Called for PcbApi_Percent_Update (one step) and PcbApi_Percent_Finish. */
typedef void (*HalvexProgressStep)(void* userData);

/*
 * Sets who receives the progress calls of the PcbApi_Percent_ entries; any function may be null
 * (that call is then ignored). userData is handed to every call. The default is no sink.
 */
HALVEX_HOST_API void Halvex_SetProgressSink(HalvexProgressInit init, HalvexProgressStep update,
                                            HalvexProgressStep finish, void* userData);

/* ---- Read-only view of a board -------------------------------------------------------------- */

/* Board properties. */
typedef struct HalvexBoardInfo {
    uint32_t Handle;
    char FileName[1024];   /* the name the board was opened for (cut to 1023 characters) */
    uint32_t CurrentLayer; /* layer identifier */
    uint8_t SplitPlaneMode;
    int32_t LayerPairCount;
    int32_t ObjectCount;     /* free objects, components and nets on the board */
    int32_t StackLayerCount; /* layers in the stack, see Halvex_GetStackLayer */
} HalvexBoardInfo;

/* HALVEX_STATUS_OK and the board's properties; NO_SUCH_OBJECT (info untouched), BAD_ARGUMENT for a
   null info. */
HALVEX_HOST_API int32_t Halvex_GetBoardInfo(uint32_t board, HalvexBoardInfo* info);

/*
 * The members of a container, in the order they were added: a board's free objects, components
 * and nets; a component's children (its primitives; its designator and comment texts are not among
 * them, see HalvexObjectInfo.NameText); a net's members (the objects whose Net is that net).
 * The count is 0 and every member 0 for a handle that is not a container.
 */
HALVEX_HOST_API int32_t Halvex_GetMemberCount(uint32_t container);
/* The member at index 0..count-1, or 0 outside that range. */
HALVEX_HOST_API uint32_t Halvex_GetMemberAt(uint32_t container, int32_t index);

/* One classic layer of a board. */
typedef struct HalvexLayerInfo {
    uint8_t Layer; /* classic layer number 1..82 */
    char Name[256];
    uint8_t IsPlane;         /* 1 for the internal planes 39..54 */
    char PlaneNetName[256];  /* the plane's net name ("(No Net)" when none); "" for other layers */
    int32_t CopperThickness; /* host units */
    uint8_t PrevLayer;       /* layer above in the stack, 0 = none */
    uint8_t NextLayer;       /* layer below in the stack, 0 = none */
    char DielectricMaterial[256];
    uint8_t DielectricType;
    double DielectricConstant;
    int32_t DielectricHeight; /* host units */
} HalvexLayerInfo;

/* A layer 1..82 of the board: OK, or NO_SUCH_OBJECT / BAD_ARGUMENT (info untouched). */
HALVEX_HOST_API int32_t Halvex_GetLayerInfo(uint32_t board, uint8_t layer, HalvexLayerInfo* info);
/*
 * The layer at position index (0 = top) of the stack: from the first layer (1..82) without a layer
 * above, along NextLayer. The count is HalvexBoardInfo.StackLayerCount.
 */
HALVEX_HOST_API int32_t Halvex_GetStackLayer(uint32_t board, int32_t index, HalvexLayerInfo* info);

/* A drill layer pair 0..LayerPairCount-1 (layer identifiers). */
HALVEX_HOST_API int32_t Halvex_GetLayerPair(uint32_t board, int32_t index, uint32_t* firstLayer,
                                            uint32_t* secondLayer);

/*
 * Every property of one object. Fields a kind does not have are 0 or empty. Sizes are those the
 * kind exchanges; the names below say which kinds fill each field.
 */
typedef struct HalvexObjectInfo {
    uint32_t Handle;
    uint8_t Kind;    /* HALVEX_KIND_... */
    uint32_t Holder; /* the board or component that holds it, 0 = none */
    uint32_t Layer;  /* layer identifier */
    uint32_t Net;    /* net handle, 0 = none */
    uint32_t OwnerHandle;
    uint16_t Flags;
    uint8_t BitField2;
    uint16_t BitField3;
    uint16_t Tag;
    uint8_t ObjectFlag;

    int32_t X, Y;             /* reference point: track start, centre of pad/via/arc, first corner
                                 of a fill, text and component origin */
    int32_t X2, Y2;           /* track end, opposite corner of a fill, from-to end */
    int32_t Width;            /* track width, arc line width, text stroke width */
    int32_t Size;             /* via diameter, text height */
    int32_t HoleSize;         /* pad and via hole */
    int32_t Radius;           /* arc */
    double StartAngle;        /* arc */
    double EndAngle;          /* arc */
    double Rotation;          /* pad, fill, text, component */
    uint8_t Mirror;           /* text, embedded board */
    int32_t Aux1, Aux2, Aux3; /* host values of tracks (1..3), arcs and fills (1), texts (2, 3) */

    /* Vias: the span (classic layers). */
    uint8_t StartLayer, EndLayer;

    /* Pads: the top / mid / bottom description and the stack mode (2: per-layer stack stored). */
    int32_t TopXSize, TopYSize, MidXSize, MidYSize, BotXSize, BotYSize;
    uint8_t TopShape, MidShape, BotShape;
    uint8_t TopCRPercent, MidCRPercent, BotCRPercent;
    uint8_t StackMode;

    /* Texts. */
    int32_t FontId;
    char Text[256];     /* also the display string */
    char FontName[256]; /* TrueType font */

    /* Pad name, net name, object class name; for a component the designator (its NameText's
       text). */
    char Name[256];

    /* Components. */
    uint32_t NameText, CommentText; /* designator and comment text objects */
    char Comment[256];              /* the CommentText's text */
    char Pattern[256];
    int32_t ChildCount; /* also a net's member count */

    /* Polygons, board outlines and split planes. */
    int32_t SegmentCount;
} HalvexObjectInfo;

/* OK and every property of the object; NO_SUCH_OBJECT (info untouched), BAD_ARGUMENT for a null
   info. */
HALVEX_HOST_API int32_t Halvex_GetObjectInfo(uint32_t object, HalvexObjectInfo* info);

/* The name of a layer identifier: the classic name ("TopLayer") for 0..82, else "". */
HALVEX_HOST_API const char* Halvex_LayerName(uint32_t layerId);

/*
 * Every host function above, by its name without the prefix Halvex_: the one list from which a
 * host's table of them (its function pointers and their lookup by name) and the table of a server
 * linked into a program are made. X(OpenBoard) stands for Halvex_OpenBoard.
 */
#define HALVEX_HOST_FUNCTIONS(X)                                                                   \
    X(OpenBoard)                                                                                   \
    X(FindBoard)                                                                                   \
    X(CloseAllBoards)                                                                              \
    X(SetHostRules)                                                                                \
    X(SetProgressSink)                                                                             \
    X(GetBoardInfo)                                                                                \
    X(GetMemberCount)                                                                              \
    X(GetMemberAt)                                                                                 \
    X(GetLayerInfo)                                                                                \
    X(GetStackLayer)                                                                               \
    X(GetLayerPair)                                                                                \
    X(GetObjectInfo)                                                                               \
    X(LayerName)

#ifdef __cplusplus
}
#endif

#endif /* HALVEX_HOST_H */
