#pragma once

#include <cstdint>
#include <string>

// The demo world shared with the local demo server. Names and numbers here
// are a contract (README.md and the demo world description): change them there
// first.
namespace rjsim::world {

struct Account {
    const char *user;
    const char *password;
    const char *displayName;
    std::uint64_t userId;
    const char *vmr;        // the fixed room, or empty
    const char *callNumber; // point-to-point number
    bool mustChangePassword;
    int refusal; // 0 logs in; otherwise the server error code of avlogin
    const char *email;
    const char *dept;
};

inline constexpr Account kAccounts[] = {
    {"alice", "Alice123", "Alice Chen", 1, "8201001", "8000", false, 0, "alice@glimora.test", "Engineering"},
    {"bob", "Bob12345", "Bob Stone", 2, "", "8004", true, 0, "bob@glimora.test", "Sales"},
    {"carol", "Carol123", "Carol Wu", 3, "", "8001", false, 0, "carol@glimora.test", "Design"},
    {"locked", "Locked123", "Locked User", 9, "", "", false, 2010, "", ""},
};

// Any other user name or a wrong password.
inline constexpr int kBadCredentials = 2000;

inline const Account *findAccount(const std::string &user)
{
    for (const Account &a : kAccounts)
        if (user == a.user)
            return &a;
    return nullptr;
}

enum class MeetingKind {
    Connects,          // connects
    Queue,             // onWaitQueue 3, 2, 1 at 1 s steps, then connects
    AudioOnly,         // connects audio-only
    NotActive,         // scheduled, not running: 4205
    RemoteContent,     // connects; a remote participant shares content
    RemoteWhiteboard,  // connects; a remote participant sends a whiteboard
};

struct Meeting {
    const char *number;
    const char *name;
    const char *password; // empty: none
    MeetingKind kind;
    int connectDelayMs;
    const char *owner; // user that may control it
    bool big;
    const char *sharer; // RemoteContent / RemoteWhiteboard
};

inline constexpr Meeting kMeetings[] = {
    {"8201001", "Alice's room", "", MeetingKind::Connects, 800, "alice", false, ""},
    {"1001", "Weekly sync", "", MeetingKind::Connects, 1200, "alice", false, ""},
    {"1002", "Board review", "1234", MeetingKind::Connects, 800, "alice", false, ""},
    {"1003", "All hands", "", MeetingKind::Queue, 1000, "", true, ""},
    {"1004", "Audio bridge", "", MeetingKind::AudioOnly, 800, "", false, ""},
    {"1005", "Planning", "5678", MeetingKind::NotActive, 600, "alice", false, ""},
    {"1006", "Design review", "", MeetingKind::RemoteContent, 800, "", false, "Dave Li"},
    {"1007", "Whiteboard session", "", MeetingKind::RemoteWhiteboard, 800, "", false, "Erin Park"},
};

inline constexpr int kMeetingNotActive = 4205;
inline constexpr int kMeetingWrongPassword = 6601;
inline constexpr int kMeetingPasswordRequired = 6602;
inline constexpr int kRemoteShareDelayMs = 3000;
inline constexpr int kRemoteContentDurationMs = 60000;

inline const Meeting *findMeeting(const std::string &number)
{
    for (const Meeting &m : kMeetings)
        if (number == m.number)
            return &m;
    return nullptr;
}

enum class PersonKind { Answers, AnswersAudio, Busy, NoAnswer };

struct Person {
    const char *number;
    const char *name;
    PersonKind kind;
    std::uint64_t deviceId; // reported as the sender of content they share
};

inline constexpr Person kPeople[] = {
    {"8001", "Carol Wu", PersonKind::Answers, 700003},
    {"8002", "Dave Li", PersonKind::Answers, 700004},
    {"8003", "Erin Park", PersonKind::AnswersAudio, 700005},
    {"8999", "Busy Bee", PersonKind::Busy, 700006},
    {"8998", "Nobody Home", PersonKind::NoAnswer, 700007},
};

inline constexpr int kAnswerDelayMs = 1000;
inline constexpr int kPeerConnectDelayMs = 1500;
inline constexpr int kBusyCode = 11;
inline constexpr int kNoAnswerCode = 12;
inline constexpr int kNoAnswerAfterMs = 30000;

inline const Person *findPerson(const std::string &number)
{
    for (const Person &p : kPeople)
        if (number == p.number)
            return &p;
    return nullptr;
}

inline const Person *findPersonByName(const std::string &name)
{
    for (const Person &p : kPeople)
        if (name == p.name)
            return &p;
    return nullptr;
}

// Password policy: 8 to 16 characters, at least two kinds of lower case,
// upper case, digits and these specials.
inline constexpr int kPasswordMinLength = 8;
inline constexpr int kPasswordMaxLength = 16;
inline constexpr int kPasswordTypeCount = 2;
inline constexpr const char *kPasswordSpecials = "!@#$%^&*";

inline bool passwordFollowsPolicy(const std::string &password)
{
    if (password.size() < static_cast<std::size_t>(kPasswordMinLength)
        || password.size() > static_cast<std::size_t>(kPasswordMaxLength))
        return false;
    bool lower = false, upper = false, digit = false, special = false;
    for (char c : password) {
        if (c >= 'a' && c <= 'z')
            lower = true;
        else if (c >= 'A' && c <= 'Z')
            upper = true;
        else if (c >= '0' && c <= '9')
            digit = true;
        else if (std::string(kPasswordSpecials).find(c) != std::string::npos)
            special = true;
        else
            return false;
    }
    return int(lower) + int(upper) + int(digit) + int(special) >= kPasswordTypeCount;
}

// Devices, ids from 0 within each kind.
inline constexpr const char *kMicrophones[] = {"System Default Microphone", "USB Headset Microphone"};
inline constexpr const char *kSpeakers[] = {"System Default Speaker", "USB Headset"};
inline constexpr const char *kCameras[] = {"Integrated Camera", "USB Webcam"};

inline constexpr const char *kRozPortsDefault = "8081";
inline constexpr const char *kServerVersion = "5.2.0-sim";
inline constexpr int kProbeTimeoutMs = 2000;
inline constexpr const char *kUrlSuffixRoz = "/client";

} // namespace rjsim::world
