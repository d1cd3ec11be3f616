// Board SDK interface: the connection to the boards' raw pen contacts and per-board settings.
// This build of TAVLO is a simulated board (see tavlo_sim.h); the interface is the SDK's own.
// All connections and settings objects of a process share the one board set, and a handler
// set through any of them receives every event.
#pragma once

// The window handle type, declared exactly as <windows.h> does so that neither header needs
// the other.
struct HWND__;
typedef struct HWND__* HWND;

#if defined(_WIN32) && defined(TAVLO_SHARED)
#if defined(TAVLO_BUILDING)
#define TAVLO_API __declspec(dllexport)
#else
#define TAVLO_API __declspec(dllimport)
#endif
#else
#define TAVLO_API
#endif

// The integer settings a board exposes. Their values are opaque to callers.
enum _TAVLO_BOARD_INT_SETTING {
    TAVLO_BOARD_INT_SETTING_0 = 0,
    TAVLO_BOARD_INT_SETTING_1 = 1,
    TAVLO_BOARD_INT_SETTING_4 = 4,
};

// A window the SDK posts TAVLO_NEW_MESSAGE to while it is attached.
class TAVLO_API CTAVLOWnd {
  public:
    CTAVLOWnd() = default;
    explicit CTAVLOWnd(HWND hWnd) : m_hWnd(hWnd) {}
    HWND m_hWnd = nullptr;
};

// One edge's points as a 2-row matrix of floats: row 0 the x, row 1 the y coordinates.
// The rows belong to whoever filled the record.
struct TAVLOPointMatrix {
    float** m_rows = nullptr;
    int m_rowCount = 0;
    int m_columnCount = 0;
};

// The four bezel edges' orientation points, in the SDK's member order top, bottom, left, right.
// The destructor never frees the rows: the caller owns them.
class TAVLO_API CEdgeOrientPoints {
  public:
    CEdgeOrientPoints();
    ~CEdgeOrientPoints();
    CEdgeOrientPoints(const CEdgeOrientPoints&) = delete;
    CEdgeOrientPoints& operator=(const CEdgeOrientPoints&) = delete;

    TAVLOPointMatrix m_top;
    TAVLOPointMatrix m_bottom;
    TAVLOPointMatrix m_left;
    TAVLOPointMatrix m_right;
};

// Receiver of pen events. Handlers run only inside CTAVLO2::TAVLOProcessData.
class TAVLO_API CTAVLO2EventHandler {
  public:
    virtual ~CTAVLO2EventHandler();
    // Raw (non-projected) board coordinates; z is the contact's pressure value.
    virtual void OnXYNonProjectedDown(int x, int y, int z, int pointerId);
    virtual void OnXYNonProjectedMove(int x, int y, int z, int pointerId);
    virtual void OnXYNonProjectedUp(int x, int y, int z, int pointerId);
};

// Receiver of settings notifications. Handlers run only inside CTAVLO2::TAVLOProcessData.
class TAVLO_API CTAVLO2BoardSettingsEventHandler {
  public:
    virtual ~CTAVLO2BoardSettingsEventHandler();
    virtual void OnBoardIntSettingChanged(int board, _TAVLO_BOARD_INT_SETTING setting,
                                          unsigned int value);
};

// The connection: boards, pointers and event delivery.
class TAVLO_API CTAVLO2 {
  public:
    explicit CTAVLO2(bool exclusive);
    ~CTAVLO2();
    CTAVLO2(const CTAVLO2&) = delete;
    CTAVLO2& operator=(const CTAVLO2&) = delete;

    // Registered window message posted to the attached window when data waits.
    static unsigned int TAVLO_NEW_MESSAGE;

    int TAVLOGetCurrentBoard();
    int TAVLOGetBoardCount();
    int TAVLOGetBoardNumberFromPointerID(int pointerId);
    // Delivers every waiting event to the handlers, in arrival order. Safe to call again from
    // inside a handler: the nested call goes on with the events that are still waiting.
    void TAVLOProcessData();
    void SetEventHandler(CTAVLO2EventHandler* handler);
};

// Per-board settings, display geometry and orientation points.
class TAVLO_API CTAVLO2BoardSettings {
  public:
    explicit CTAVLO2BoardSettings(CTAVLO2* connection);
    ~CTAVLO2BoardSettings();
    CTAVLO2BoardSettings(const CTAVLO2BoardSettings&) = delete;
    CTAVLO2BoardSettings& operator=(const CTAVLO2BoardSettings&) = delete;

    // Virtual-desktop pixels, filled in the order top, left, bottom, right.
    void TAVLOGetBoardDisplayRectangle(int board, int* top, int* left, int* bottom, int* right);
    void TAVLOAttachOrient(CTAVLOWnd& wnd);
    void TAVLODetachOrient(CTAVLOWnd& wnd);
    unsigned int TAVLOGetBoardIntSetting(_TAVLO_BOARD_INT_SETTING setting, int board);
    void TAVLOSetBoardIntSetting(_TAVLO_BOARD_INT_SETTING setting, int board, unsigned int value);
    void TAVLOSetEdgeOrientPoints(int board, CEdgeOrientPoints& points);
    void SetEventHandler(CTAVLO2BoardSettingsEventHandler* handler);
};
