<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>rj_app::models::CUCMApiManager</name>
        <message>
            <source>Unsupported API version(%1).</source>
            <translation>Unsupported API version(%1).</translation>
        </message>
        <message>
            <source>Invalid token(%1).</source>
            <translation>Invalid token(%1).</translation>
        </message>
        <message>
            <source>Invalid parameter(%1).</source>
            <translation>Invalid parameter(%1).</translation>
        </message>
        <message>
            <source>The parameter exceeds the setting range(%1).</source>
            <translation>The parameter exceeds the setting range(%1).</translation>
        </message>
        <message>
            <source>Invalid media type, only "application/json" is supported(%1).</source>
            <translation>Invalid media type, only "application/json" is supported(%1).</translation>
        </message>
        <message>
            <source>You don't have permission to perform this operation(%1).</source>
            <translation>You don't have permission to perform this operation(%1).</translation>
        </message>
        <message>
            <source>Misspelling of the field name in the JSON string(%1).</source>
            <translation>Misspelling of the field name in the JSON string(%1).</translation>
        </message>
        <message>
            <source>Internal error(%1).</source>
            <translation>Internal error(%1).</translation>
        </message>
        <message>
            <source>Meeting does not exist(%1).</source>
            <translation>Meeting does not exist(%1).</translation>
        </message>
        <message>
            <source>The meeting is being initiated or in progress(%1).</source>
            <translation>The meeting is being initiated or in progress(%1).</translation>
        </message>
        <message>
            <source>The meeting has ended or has been deleted(%1).</source>
            <translation>The meeting has ended or has been deleted(%1).</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::AlertDlg</name>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Yes</source>
            <translation>Yes</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>No</source>
            <translation>No</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLoginDlg</name>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CallWaitingWidget</name>
        <message>
            <source>Waiting...# </source>
            <translation>Waiting...# </translation>
        </message>
        <message>
            <source> now</source>
            <translation> now</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CompactWidget</name>
        <message>
            <source>Form</source>
            <translation>Form</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CRemoteContentDlg</name>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CMediaStatisticsDlg</name>
        <message>
            <source>Media Statistics</source>
            <translation>Media Statistics</translation>
        </message>
        <message>
            <source>Media Direction</source>
            <translation>Media Direction</translation>
        </message>
        <message>
            <source>Codec</source>
            <translation>Codec</translation>
        </message>
        <message>
            <source>Line Rate
(kbps)</source>
            <translation>Line Rate
(kbps)</translation>
        </message>
        <message>
            <source>Actual Line Rate
(kbps)</source>
            <translation>Actual Line Rate
(kbps)</translation>
        </message>
        <message>
            <source>Resolution</source>
            <translation>Resolution</translation>
        </message>
        <message>
            <source>Frame Rate
(fps)</source>
            <translation>Frame Rate
(fps)</translation>
        </message>
        <message>
            <source>Packet Lost Rate</source>
            <translation>Packet Lost Rate</translation>
        </message>
        <message>
            <source>Encryption</source>
            <translation>Encryption</translation>
        </message>
        <message>
            <source>Audio In</source>
            <translation>Audio In</translation>
        </message>
        <message>
            <source>Audio Out</source>
            <translation>Audio Out</translation>
        </message>
        <message>
            <source>Video In</source>
            <translation>Video In</translation>
        </message>
        <message>
            <source>Video Out</source>
            <translation>Video Out</translation>
        </message>
        <message>
            <source>Content In</source>
            <translation>Content In</translation>
        </message>
        <message>
            <source>Content Out</source>
            <translation>Content Out</translation>
        </message>
        <message>
            <source>White Board In</source>
            <translation>White Board In</translation>
        </message>
        <message>
            <source>White Board Out</source>
            <translation>White Board Out</translation>
        </message>
        <message>
            <source>Encrypted</source>
            <translation>Encrypted</translation>
        </message>
        <message>
            <source>Not encrypted</source>
            <translation>Not encrypted</translation>
        </message>
    </context>
    <context>
        <name>CJoinConfDlg</name>
        <message>
            <source>Join a Meeting</source>
            <translation>Join a Meeting</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Turn off Microphone</source>
            <translation>Turn off Microphone</translation>
        </message>
        <message>
            <source>Turn off Camera</source>
            <translation>Turn off Camera</translation>
        </message>
    </context>
    <context>
        <name>CJoinConfWidget</name>
        <message>
            <source>Join a Meeting</source>
            <translation>Join a Meeting</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Turn off Microphone</source>
            <translation>Turn off Microphone</translation>
        </message>
        <message>
            <source>Turn off Camera</source>
            <translation>Turn off Camera</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CJoinConfDlg</name>
        <message>
            <source>Input meeting ID</source>
            <translation>Input meeting ID</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>Join</translation>
        </message>
        <message>
            <source>Video Join</source>
            <translation>Video Join</translation>
        </message>
        <message>
            <source>Audio Join</source>
            <translation>Audio Join</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CJoinConfWidget</name>
        <message>
            <source>Input meeting ID</source>
            <translation>Input meeting ID</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>Join</translation>
        </message>
        <message>
            <source>Video Join</source>
            <translation>Video Join</translation>
        </message>
        <message>
            <source>Audio Join</source>
            <translation>Audio Join</translation>
        </message>
    </context>
    <context>
        <name>CSelectShareContent</name>
        <message>
            <source>Choose to share content</source>
            <translation>Choose to share content</translation>
        </message>
        <message>
            <source>desktop</source>
            <translation>Desktop</translation>
        </message>
        <message>
            <source>appwindow</source>
            <translation>Application windows</translation>
        </message>
        <message>
            <source>Share Computer Sound</source>
            <translation>Share Computer Sound</translation>
        </message>
        <message>
            <source>Preferred Fluency</source>
            <translation>Preferred Fluency</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Share</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CSelectShareContent</name>
        <message>
            <source>Other participants will be able to hear the audio being played on your computer</source>
            <translation>Other participants will be able to hear the audio being played on your computer</translation>
        </message>
        <message>
            <source>Ensure shared content fluency first</source>
            <translation>Ensure shared content fluency first</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>Service is not connected, please wait...</source>
            <translation>Service is not connected, please wait...</translation>
        </message>
        <message>
            <source>Receiving whiteboard.</source>
            <translation>Receiving whiteboard.</translation>
        </message>
    </context>
    <context>
        <name>CWidgetContents</name>
        <message>
            <source>Screen %1</source>
            <translation>Screen %1</translation>
        </message>
        <message>
            <source>WhiteBoard</source>
            <translation>WhiteBoard</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLayoutCellCoverDlg</name>
        <message>
            <source>%1's Screen Sharing</source>
            <translation>%1's Screen Sharing</translation>
        </message>
    </context>
    <context>
        <name>CConferenceItemWidget</name>
        <message>
            <source>Schedule</source>
            <translation>Schedule</translation>
        </message>
        <message>
            <source>Ongoing</source>
            <translation>Ongoing</translation>
        </message>
        <message>
            <source>Fixed</source>
            <translation>Fixed</translation>
        </message>
        <message>
            <source>Time:</source>
            <translation>Time:</translation>
        </message>
        <message>
            <source>Meeting ID:</source>
            <translation>Meeting ID:</translation>
        </message>
        <message>
            <source>Applicant:</source>
            <translation>Applicant:</translation>
        </message>
    </context>
    <context>
        <name>CConferencesToolBtn</name>
        <message>
            <source>My room</source>
            <translation>My room</translation>
        </message>
        <message>
            <source>Schedule meeting</source>
            <translation>Schedule meeting</translation>
        </message>
        <message>
            <source>Join meeting</source>
            <translation>Join meeting</translation>
        </message>
    </context>
    <context>
        <name>CConferencesMainPage</name>
        <message>
            <source>My room</source>
            <translation>My room</translation>
        </message>
        <message>
            <source>Meeting ID:</source>
            <translation>Meeting ID:</translation>
        </message>
        <message>
            <source>The meeting list could not be loaded.</source>
            <translation>The meeting list could not be loaded.</translation>
        </message>
    </context>
    <context>
        <name>CConferencesMyroomPage</name>
        <message>
            <source>Back</source>
            <translation>Back</translation>
        </message>
        <message>
            <source>My room</source>
            <translation>My room</translation>
        </message>
        <message>
            <source>Meeting ID</source>
            <translation>Meeting ID</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>Join</translation>
        </message>
    </context>
    <context>
        <name>CConferencesDetailPage</name>
        <message>
            <source>Back</source>
            <translation>Back</translation>
        </message>
        <message>
            <source>Meeting detail</source>
            <translation>Meeting detail</translation>
        </message>
        <message>
            <source>Meeting Title</source>
            <translation>Meeting Title</translation>
        </message>
        <message>
            <source>Start Time</source>
            <translation>Start Time</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Duration</translation>
        </message>
        <message>
            <source>Meeting ID</source>
            <translation>Meeting ID</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Description</source>
            <translation>Description</translation>
        </message>
        <message>
            <source>Participaints</source>
            <translation>Participants</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>Edit</translation>
        </message>
        <message>
            <source>Immediate</source>
            <translation>Immediate</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>Join</translation>
        </message>
        <message>
            <source>End</source>
            <translation>End</translation>
        </message>
    </context>
    <context>
        <name>CConferencestableview</name>
        <message>
            <source>Add</source>
            <translation>Add</translation>
        </message>
    </context>
    <context>
        <name>WhiteBoardSelectBgWidget</name>
        <message>
            <source>Form</source>
            <translation>Form</translation>
        </message>
    </context>
    <context>
        <name>CAttendeesButton</name>
        <message>
            <source>Attendees</source>
            <translation>Attendees</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CAttendessWidgets</name>
        <message>
            <source>Attendees</source>
            <translation>Attendees</translation>
        </message>
        <message>
            <source>Video(%1)</source>
            <translation>Video(%1)</translation>
        </message>
        <message>
            <source>Audio(%1)</source>
            <translation>Audio(%1)</translation>
        </message>
    </context>
    <context>
        <name>CSettingsForm</name>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
        <message>
            <source>General</source>
            <translation>General</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>Audio</translation>
        </message>
        <message>
            <source>Video</source>
            <translation>Video</translation>
        </message>
        <message>
            <source>Network Report</source>
            <translation>Network Report</translation>
        </message>
        <message>
            <source>About</source>
            <translation>About</translation>
        </message>
        <message>
            <source>Protocol</source>
            <translation>Protocol</translation>
        </message>
        <message>
            <source>Screen Name</source>
            <translation>Screen Name</translation>
        </message>
        <message>
            <source>Enable SIP Registration</source>
            <translation>Enable SIP Registration</translation>
        </message>
        <message>
            <source>SIP Server</source>
            <translation>SIP Server</translation>
        </message>
        <message>
            <source>SIP Domain</source>
            <translation>SIP Domain</translation>
        </message>
        <message>
            <source>SIP Number</source>
            <translation>SIP Number</translation>
        </message>
        <message>
            <source>SIP Username</source>
            <translation>SIP Username</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Save</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Input Server Address</source>
            <translation>Input Server Address</translation>
        </message>
        <message>
            <source>Saved Successfully!</source>
            <translation>Saved Successfully!</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>Changes are not saved, Are you sure you want to leave?</source>
            <translation>Changes are not saved, Are you sure you want to leave?</translation>
        </message>
        <message>
            <source>No report currently</source>
            <translation>No report currently</translation>
        </message>
        <message>
            <source>Please log in to check report</source>
            <translation>Please log in to check report</translation>
        </message>
        <message>
            <source>Network status is normal</source>
            <translation>Network status is normal</translation>
        </message>
        <message>
            <source>Network status is abnormal</source>
            <translation>Network status is abnormal</translation>
        </message>
        <message>
            <source>View Details</source>
            <translation>View Details</translation>
        </message>
        <message>
            <source>Pleas make a call to view more data</source>
            <translation>Pleas make a call to view more data</translation>
        </message>
        <message>
            <source>Failed to resolve domain, please check if the domain service setting is correct. (Server address: %1)</source>
            <translation>Failed to resolve domain, please check if the domain service setting is correct. (Server address: %1)</translation>
        </message>
        <message>
            <source>Network connection timeout, please check network connection or firewall setting. (Server address: %1)</source>
            <translation>Network connection timeout, please check network connection or firewall setting. (Server address: %1)</translation>
        </message>
        <message>
            <source>Can not receive bitstream, please check if the firewall among servers and relevant settings is correct.</source>
            <translation>Can not receive bitstream, please check if the firewall among servers and relevant settings is correct.</translation>
        </message>
        <message>
            <source>Please refer to the detail information about error content.</source>
            <translation>Please refer to the detail information about error content.</translation>
        </message>
        <message>
            <source>Microphone</source>
            <translation>Microphone</translation>
        </message>
        <message>
            <source>Speaker</source>
            <translation>Speaker</translation>
        </message>
        <message>
            <source>Play Test Music</source>
            <translation>Play Test Music</translation>
        </message>
        <message>
            <source>Play the test music</source>
            <translation>Play the test music</translation>
        </message>
        <message>
            <source>Camera</source>
            <translation>Camera</translation>
        </message>
        <message>
            <source>System Default</source>
            <translation>System Default</translation>
        </message>
        <message>
            <source>Check for Updates</source>
            <translation>Check for Updates</translation>
        </message>
        <message>
            <source>Version: %1</source>
            <translation>Version: %1</translation>
        </message>
        <message>
            <source>Not found new version.</source>
            <translation>Not found new version.</translation>
        </message>
        <message>
            <source>COPYRIGHT_STRING</source>
            <translation>Copyright © 2026 Glimora. All rights reserved.</translation>
        </message>
    </context>
    <context>
        <name>CContactsListview</name>
        <message>
            <source>(Me)</source>
            <translation>(Me)</translation>
        </message>
        <message>
            <source>Add contacts</source>
            <translation>Add contacts</translation>
        </message>
        <message>
            <source>Organization</source>
            <translation>Organization</translation>
        </message>
        <message>
            <source>My contacts</source>
            <translation>My contacts</translation>
        </message>
    </context>
    <context>
        <name>CContactsAddDelegate</name>
        <message>
            <source>Add</source>
            <translation>Add</translation>
        </message>
        <message>
            <source>Added</source>
            <translation>Added</translation>
        </message>
    </context>
    <context>
        <name>CWebreportDataTableWidget</name>
        <message>
            <source>Normal</source>
            <translation>Normal</translation>
        </message>
        <message>
            <source>Available</source>
            <translation>Available</translation>
        </message>
        <message>
            <source>Poor</source>
            <translation>Poor</translation>
        </message>
        <message>
            <source>Unreachable</source>
            <translation>Unreachable</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Failed</translation>
        </message>
        <message>
            <source>Timeout</source>
            <translation>Timeout</translation>
        </message>
        <message>
            <source>Login failed</source>
            <translation>Login failed</translation>
        </message>
        <message>
            <source>Register failed</source>
            <translation>Register failed</translation>
        </message>
        <message>
            <source>Call failed</source>
            <translation>Call failed</translation>
        </message>
        <message>
            <source>Login service connection status</source>
            <translation>Login service connection status</translation>
        </message>
        <message>
            <source>Registration service connection status</source>
            <translation>Registration service connection status</translation>
        </message>
        <message>
            <source>Call status</source>
            <translation>Call status</translation>
        </message>
        <message>
            <source>Call rate</source>
            <translation>Call rate</translation>
        </message>
        <message>
            <source>Network quality(Audio)</source>
            <translation>Network quality(Audio)</translation>
        </message>
        <message>
            <source>Network quality(Video)</source>
            <translation>Network quality(Video)</translation>
        </message>
        <message>
            <source>Network quality(Content)</source>
            <translation>Network quality(Content)</translation>
        </message>
        <message>
            <source>Network status</source>
            <translation>Network status</translation>
        </message>
        <message>
            <source>Details</source>
            <translation>Details</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Status</translation>
        </message>
        <message>
            <source>Service address</source>
            <translation>Service address</translation>
        </message>
        <message>
            <source>Call rate(Download)</source>
            <translation>Call rate(Download)</translation>
        </message>
        <message>
            <source>Call rate(Upload)</source>
            <translation>Call rate(Upload)</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Download</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Upload</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Duration</translation>
        </message>
        <message>
            <source>Delay</source>
            <translation>Delay</translation>
        </message>
        <message>
            <source>Download jitter</source>
            <translation>Download jitter</translation>
        </message>
        <message>
            <source>Download packet lost</source>
            <translation>Download packet lost</translation>
        </message>
        <message>
            <source>Upload jitter</source>
            <translation>Upload jitter</translation>
        </message>
        <message>
            <source>Upload packet lost</source>
            <translation>Upload packet lost</translation>
        </message>
        <message>
            <source>Network quality(Audio download packet lost)</source>
            <translation>Network quality(Audio download packet lost)</translation>
        </message>
        <message>
            <source>Network quality(Audio upload packet lost)</source>
            <translation>Network quality(Audio upload packet lost)</translation>
        </message>
        <message>
            <source>Network quality(Audio download jitter)</source>
            <translation>Network quality(Audio download jitter)</translation>
        </message>
        <message>
            <source>Network quality(Audio upload jitter)</source>
            <translation>Network quality(Audio upload jitter)</translation>
        </message>
        <message>
            <source>Network quality(Audio delay)</source>
            <translation>Network quality(Audio delay)</translation>
        </message>
        <message>
            <source>Network quality(Video download packet lost)</source>
            <translation>Network quality(Video download packet lost)</translation>
        </message>
        <message>
            <source>Network quality(Video upload packet lost)</source>
            <translation>Network quality(Video upload packet lost)</translation>
        </message>
        <message>
            <source>Network quality(Video download jitter)</source>
            <translation>Network quality(Video download jitter)</translation>
        </message>
        <message>
            <source>Network quality(Video upload jitter)</source>
            <translation>Network quality(Video upload jitter)</translation>
        </message>
        <message>
            <source>Network quality(Video delay)</source>
            <translation>Network quality(Video delay)</translation>
        </message>
        <message>
            <source>Network quality(Content download packet lost)</source>
            <translation>Network quality(Content download packet lost)</translation>
        </message>
        <message>
            <source>Network quality(Content upload packet lost)</source>
            <translation>Network quality(Content upload packet lost)</translation>
        </message>
        <message>
            <source>Network quality(Content download jitter)</source>
            <translation>Network quality(Content download jitter)</translation>
        </message>
        <message>
            <source>Network quality(Content upload jitter)</source>
            <translation>Network quality(Content upload jitter)</translation>
        </message>
        <message>
            <source>Network quality(Content delay)</source>
            <translation>Network quality(Content delay)</translation>
        </message>
    </context>
    <context>
        <name>CWebreportDetailsDlg</name>
        <message>
            <source>Details</source>
            <translation>Details</translation>
        </message>
        <message>
            <source>CopyResults</source>
            <translation>CopyResults</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Details have been copied to the system clipboard</source>
            <translation>Details have been copied to the system clipboard</translation>
        </message>
        <message>
            <source>Failed to copy details to the system clipboard</source>
            <translation>Failed to copy details to the system clipboard</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::PaintListWidget</name>
        <message>
            <source>Mouse</source>
            <translation>Mouse</translation>
        </message>
        <message>
            <source>Pen</source>
            <translation>Pen</translation>
        </message>
        <message>
            <source>Marker</source>
            <translation>Marker</translation>
        </message>
        <message>
            <source>Eraser</source>
            <translation>Eraser</translation>
        </message>
        <message>
            <source>Revoke</source>
            <translation>Revoke</translation>
        </message>
        <message>
            <source>Background</source>
            <translation>Background</translation>
        </message>
        <message>
            <source>Clear</source>
            <translation>Clear</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Save</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Exit</translation>
        </message>
    </context>
    <context>
        <name>CManagerButtonWidget</name>
        <message>
            <source>Management</source>
            <translation>Management</translation>
        </message>
        <message>
            <source>Form</source>
            <translation>Form</translation>
        </message>
    </context>
    <context>
        <name>CConferencesSchedulePage</name>
        <message>
            <source>Back</source>
            <translation>Back</translation>
        </message>
        <message>
            <source>Schedule meeting</source>
            <translation>Schedule meeting</translation>
        </message>
        <message>
            <source>Edit meeting</source>
            <translation>Edit meeting</translation>
        </message>
        <message>
            <source>'s meeting</source>
            <translation>'s meeting</translation>
        </message>
        <message>
            <source>Meeting Title</source>
            <translation>Meeting Title</translation>
        </message>
        <message>
            <source>Start Time</source>
            <translation>Start Time</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Duration</translation>
        </message>
        <message>
            <source>Meeting ID</source>
            <translation>Meeting ID</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Description</source>
            <translation>Description</translation>
        </message>
        <message>
            <source>Participaints</source>
            <translation>Participants</translation>
        </message>
        <message>
            <source>Now</source>
            <translation>Now</translation>
        </message>
        <message>
            <source>Schedule</source>
            <translation>Schedule</translation>
        </message>
        <message>
            <source>yyyy/MM/dd</source>
            <translation>yyyy/MM/dd</translation>
        </message>
        <message>
            <source>HH:mm</source>
            <translation>HH:mm</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>The password may hold only digits, at most 12.</source>
            <translation>The password may hold only digits, at most 12.</translation>
        </message>
        <message>
            <source>The start time is not valid.</source>
            <translation>The start time is not valid.</translation>
        </message>
        <message>
            <source>The start time has passed, please choose a later time.</source>
            <translation>The start time has passed, please choose a later time.</translation>
        </message>
        <message>
            <source>Please set the duration of the meeting.</source>
            <translation>Please set the duration of the meeting.</translation>
        </message>
    </context>
    <context>
        <name>CUpdateMessageWidget</name>
        <message>
            <source>Software Update</source>
            <translation>Software Update</translation>
        </message>
        <message>
            <source>No</source>
            <translation>No</translation>
        </message>
        <message>
            <source>Yes</source>
            <translation>Yes</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Download</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CUpdateMessageWidget</name>
        <message>
            <source>Downloading the latest software</source>
            <translation>Downloading the latest software</translation>
        </message>
        <message>
            <source>Do you want to install the latest software?</source>
            <translation>Do you want to install the latest software?</translation>
        </message>
        <message>
            <source>download failed</source>
            <translation>download failed</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CDownloadThread</name>
        <message>
            <source>The latest software is found (%1)</source>
            <translation>The latest software is found (%1)</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Failed to execute upgrade.</source>
            <translation>Failed to execute upgrade.</translation>
        </message>
    </context>
    <context>
        <name>FeedBackDlg</name>
        <message>
            <source>Feedback</source>
            <translation>Feedback</translation>
        </message>
        <message>
            <source>Problem/Suggestion</source>
            <translation>Problem/Suggestion</translation>
        </message>
        <message>
            <source>Contact info(optional)</source>
            <translation>Contact info(optional)</translation>
        </message>
        <message>
            <source>Sure</source>
            <translation>Sure</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::FeedBackDlg</name>
        <message>
            <source>Please fill in the problem description of more than 10 words, so that we can help you solve the problem more precisely.</source>
            <translation>Please fill in the problem description of more than 10 words, so that we can help you solve the problem more precisely.</translation>
        </message>
        <message>
            <source>Fill in your mobile phone number or email address, so that we can contact you.</source>
            <translation>Fill in your mobile phone number or email address, so that we can contact you.</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>Uploaded failed</source>
            <translation>Uploaded failed</translation>
        </message>
        <message>
            <source>Uploaded successfully</source>
            <translation>Uploaded successfully</translation>
        </message>
        <message>
            <source>Save Log</source>
            <translation>Save Log</translation>
        </message>
        <message>
            <source>Save successfully</source>
            <translation>Save successfully</translation>
        </message>
        <message>
            <source>Save failed</source>
            <translation>Save failed</translation>
        </message>
    </context>
</TS>
