<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>rj_app::models::CUCMApiManager</name>
        <message>
            <source>Unsupported API version(%1).</source>
            <translation>不支持的接口版本(%1)。</translation>
        </message>
        <message>
            <source>Invalid token(%1).</source>
            <translation>令牌无效(%1)。</translation>
        </message>
        <message>
            <source>Invalid parameter(%1).</source>
            <translation>参数无效(%1)。</translation>
        </message>
        <message>
            <source>The parameter exceeds the setting range(%1).</source>
            <translation>参数超出设置范围(%1)。</translation>
        </message>
        <message>
            <source>Invalid media type, only "application/json" is supported(%1).</source>
            <translation>媒体类型无效，仅支持"application/json"(%1)。</translation>
        </message>
        <message>
            <source>You don't have permission to perform this operation(%1).</source>
            <translation>您没有执行此操作的权限(%1)。</translation>
        </message>
        <message>
            <source>Misspelling of the field name in the JSON string(%1).</source>
            <translation>JSON字符串中的字段名拼写错误(%1)。</translation>
        </message>
        <message>
            <source>Internal error(%1).</source>
            <translation>内部错误(%1)。</translation>
        </message>
        <message>
            <source>Meeting does not exist(%1).</source>
            <translation>会议不存在(%1)。</translation>
        </message>
        <message>
            <source>The meeting is being initiated or in progress(%1).</source>
            <translation>会议正在发起或进行中(%1)。</translation>
        </message>
        <message>
            <source>The meeting has ended or has been deleted(%1).</source>
            <translation>会议已结束或已被删除(%1)。</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::AlertDlg</name>
        <message>
            <source>Note</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Yes</source>
            <translation>是</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>No</source>
            <translation>否</translation>
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
            <translation>排队中...第 </translation>
        </message>
        <message>
            <source> now</source>
            <translation> 位</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CompactWidget</name>
        <message>
            <source>Form</source>
            <translation>窗体</translation>
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
            <translation>媒体统计</translation>
        </message>
        <message>
            <source>Media Direction</source>
            <translation>媒体方向</translation>
        </message>
        <message>
            <source>Codec</source>
            <translation>编解码</translation>
        </message>
        <message>
            <source>Line Rate
(kbps)</source>
            <translation>线路速率
(kbps)</translation>
        </message>
        <message>
            <source>Actual Line Rate
(kbps)</source>
            <translation>实际线路速率
(kbps)</translation>
        </message>
        <message>
            <source>Resolution</source>
            <translation>分辨率</translation>
        </message>
        <message>
            <source>Frame Rate
(fps)</source>
            <translation>帧率
(fps)</translation>
        </message>
        <message>
            <source>Packet Lost Rate</source>
            <translation>丢包率</translation>
        </message>
        <message>
            <source>Encryption</source>
            <translation>加密</translation>
        </message>
        <message>
            <source>Audio In</source>
            <translation>音频接收</translation>
        </message>
        <message>
            <source>Audio Out</source>
            <translation>音频发送</translation>
        </message>
        <message>
            <source>Video In</source>
            <translation>视频接收</translation>
        </message>
        <message>
            <source>Video Out</source>
            <translation>视频发送</translation>
        </message>
        <message>
            <source>Content In</source>
            <translation>共享内容接收</translation>
        </message>
        <message>
            <source>Content Out</source>
            <translation>共享内容发送</translation>
        </message>
        <message>
            <source>White Board In</source>
            <translation>白板接收</translation>
        </message>
        <message>
            <source>White Board Out</source>
            <translation>白板发送</translation>
        </message>
        <message>
            <source>Encrypted</source>
            <translation>已加密</translation>
        </message>
        <message>
            <source>Not encrypted</source>
            <translation>未加密</translation>
        </message>
    </context>
    <context>
        <name>CJoinConfDlg</name>
        <message>
            <source>Join a Meeting</source>
            <translation>加入会议</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>密码</translation>
        </message>
        <message>
            <source>Turn off Microphone</source>
            <translation>关闭麦克风</translation>
        </message>
        <message>
            <source>Turn off Camera</source>
            <translation>关闭摄像头</translation>
        </message>
    </context>
    <context>
        <name>CJoinConfWidget</name>
        <message>
            <source>Join a Meeting</source>
            <translation>加入会议</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>密码</translation>
        </message>
        <message>
            <source>Turn off Microphone</source>
            <translation>关闭麦克风</translation>
        </message>
        <message>
            <source>Turn off Camera</source>
            <translation>关闭摄像头</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CJoinConfDlg</name>
        <message>
            <source>Input meeting ID</source>
            <translation>请输入会议号</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>加入</translation>
        </message>
        <message>
            <source>Video Join</source>
            <translation>视频入会</translation>
        </message>
        <message>
            <source>Audio Join</source>
            <translation>语音入会</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CJoinConfWidget</name>
        <message>
            <source>Input meeting ID</source>
            <translation>请输入会议号</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>加入</translation>
        </message>
        <message>
            <source>Video Join</source>
            <translation>视频入会</translation>
        </message>
        <message>
            <source>Audio Join</source>
            <translation>语音入会</translation>
        </message>
    </context>
    <context>
        <name>CSelectShareContent</name>
        <message>
            <source>Choose to share content</source>
            <translation>选择共享内容</translation>
        </message>
        <message>
            <source>desktop</source>
            <translation>桌面</translation>
        </message>
        <message>
            <source>appwindow</source>
            <translation>应用窗口</translation>
        </message>
        <message>
            <source>Share Computer Sound</source>
            <translation>共享电脑声音</translation>
        </message>
        <message>
            <source>Preferred Fluency</source>
            <translation>流畅度优先</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>共享</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CSelectShareContent</name>
        <message>
            <source>Other participants will be able to hear the audio being played on your computer</source>
            <translation>其他参会者将能听到您电脑上正在播放的声音</translation>
        </message>
        <message>
            <source>Ensure shared content fluency first</source>
            <translation>优先保证共享内容的流畅度</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Service is not connected, please wait...</source>
            <translation>服务未连接，请稍候...</translation>
        </message>
        <message>
            <source>Receiving whiteboard.</source>
            <translation>正在接收白板。</translation>
        </message>
    </context>
    <context>
        <name>CWidgetContents</name>
        <message>
            <source>Screen %1</source>
            <translation>屏幕 %1</translation>
        </message>
        <message>
            <source>WhiteBoard</source>
            <translation>白板</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLayoutCellCoverDlg</name>
        <message>
            <source>%1's Screen Sharing</source>
            <translation>%1的屏幕共享</translation>
        </message>
    </context>
    <context>
        <name>CConferenceItemWidget</name>
        <message>
            <source>Schedule</source>
            <translation>预约</translation>
        </message>
        <message>
            <source>Ongoing</source>
            <translation>进行中</translation>
        </message>
        <message>
            <source>Fixed</source>
            <translation>固定</translation>
        </message>
        <message>
            <source>Time:</source>
            <translation>时间：</translation>
        </message>
        <message>
            <source>Meeting ID:</source>
            <translation>会议号：</translation>
        </message>
        <message>
            <source>Applicant:</source>
            <translation>申请人：</translation>
        </message>
    </context>
    <context>
        <name>CConferencesToolBtn</name>
        <message>
            <source>My room</source>
            <translation>我的会议室</translation>
        </message>
        <message>
            <source>Schedule meeting</source>
            <translation>预约会议</translation>
        </message>
        <message>
            <source>Join meeting</source>
            <translation>加入会议</translation>
        </message>
    </context>
    <context>
        <name>CConferencesMainPage</name>
        <message>
            <source>My room</source>
            <translation>我的会议室</translation>
        </message>
        <message>
            <source>Meeting ID:</source>
            <translation>会议号：</translation>
        </message>
        <message>
            <source>The meeting list could not be loaded.</source>
            <translation>无法加载会议列表。</translation>
        </message>
    </context>
    <context>
        <name>CConferencesMyroomPage</name>
        <message>
            <source>Back</source>
            <translation>返回</translation>
        </message>
        <message>
            <source>My room</source>
            <translation>我的会议室</translation>
        </message>
        <message>
            <source>Meeting ID</source>
            <translation>会议号</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>加入</translation>
        </message>
    </context>
    <context>
        <name>CConferencesDetailPage</name>
        <message>
            <source>Back</source>
            <translation>返回</translation>
        </message>
        <message>
            <source>Meeting detail</source>
            <translation>会议详情</translation>
        </message>
        <message>
            <source>Meeting Title</source>
            <translation>会议主题</translation>
        </message>
        <message>
            <source>Start Time</source>
            <translation>开始时间</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>会议时长</translation>
        </message>
        <message>
            <source>Meeting ID</source>
            <translation>会议号</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>密码</translation>
        </message>
        <message>
            <source>Description</source>
            <translation>会议描述</translation>
        </message>
        <message>
            <source>Participaints</source>
            <translation>参会人</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>编辑</translation>
        </message>
        <message>
            <source>Immediate</source>
            <translation>立即开始</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>删除</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>加入</translation>
        </message>
        <message>
            <source>End</source>
            <translation>结束</translation>
        </message>
    </context>
    <context>
        <name>CConferencestableview</name>
        <message>
            <source>Add</source>
            <translation>添加</translation>
        </message>
    </context>
    <context>
        <name>WhiteBoardSelectBgWidget</name>
        <message>
            <source>Form</source>
            <translation>窗体</translation>
        </message>
    </context>
    <context>
        <name>CAttendeesButton</name>
        <message>
            <source>Attendees</source>
            <translation>参会者</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CAttendessWidgets</name>
        <message>
            <source>Attendees</source>
            <translation>参会者</translation>
        </message>
        <message>
            <source>Video(%1)</source>
            <translation>视频(%1)</translation>
        </message>
        <message>
            <source>Audio(%1)</source>
            <translation>音频(%1)</translation>
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
            <translation>常规</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>音频</translation>
        </message>
        <message>
            <source>Video</source>
            <translation>视频</translation>
        </message>
        <message>
            <source>Network Report</source>
            <translation>网络报告</translation>
        </message>
        <message>
            <source>About</source>
            <translation>关于</translation>
        </message>
        <message>
            <source>Protocol</source>
            <translation>协议</translation>
        </message>
        <message>
            <source>Screen Name</source>
            <translation>显示名称</translation>
        </message>
        <message>
            <source>Enable SIP Registration</source>
            <translation>启用SIP注册</translation>
        </message>
        <message>
            <source>SIP Server</source>
            <translation>SIP服务器</translation>
        </message>
        <message>
            <source>SIP Domain</source>
            <translation>SIP域</translation>
        </message>
        <message>
            <source>SIP Number</source>
            <translation>SIP号码</translation>
        </message>
        <message>
            <source>SIP Username</source>
            <translation>SIP用户名</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>密码</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Input Server Address</source>
            <translation>请输入服务器地址</translation>
        </message>
        <message>
            <source>Saved Successfully!</source>
            <translation>保存成功！</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>注意</translation>
        </message>
        <message>
            <source>Changes are not saved, Are you sure you want to leave?</source>
            <translation>修改尚未保存，确定要离开吗？</translation>
        </message>
        <message>
            <source>No report currently</source>
            <translation>暂无报告</translation>
        </message>
        <message>
            <source>Please log in to check report</source>
            <translation>请登录后查看报告</translation>
        </message>
        <message>
            <source>Network status is normal</source>
            <translation>网络状态正常</translation>
        </message>
        <message>
            <source>Network status is abnormal</source>
            <translation>网络状态异常</translation>
        </message>
        <message>
            <source>View Details</source>
            <translation>查看详情</translation>
        </message>
        <message>
            <source>Pleas make a call to view more data</source>
            <translation>请发起呼叫以查看更多数据</translation>
        </message>
        <message>
            <source>Failed to resolve domain, please check if the domain service setting is correct. (Server address: %1)</source>
            <translation>域名解析失败，请检查域名服务设置是否正确。（服务器地址：%1）</translation>
        </message>
        <message>
            <source>Network connection timeout, please check network connection or firewall setting. (Server address: %1)</source>
            <translation>网络连接超时，请检查网络连接或防火墙设置。（服务器地址：%1）</translation>
        </message>
        <message>
            <source>Can not receive bitstream, please check if the firewall among servers and relevant settings is correct.</source>
            <translation>无法接收码流，请检查服务器之间的防火墙及相关设置是否正确。</translation>
        </message>
        <message>
            <source>Please refer to the detail information about error content.</source>
            <translation>请查看详情了解错误内容。</translation>
        </message>
        <message>
            <source>Microphone</source>
            <translation>麦克风</translation>
        </message>
        <message>
            <source>Speaker</source>
            <translation>扬声器</translation>
        </message>
        <message>
            <source>Play Test Music</source>
            <translation>播放测试音乐</translation>
        </message>
        <message>
            <source>Play the test music</source>
            <translation>播放测试音乐以检查扬声器</translation>
        </message>
        <message>
            <source>Camera</source>
            <translation>摄像头</translation>
        </message>
        <message>
            <source>System Default</source>
            <translation>系统默认</translation>
        </message>
        <message>
            <source>Check for Updates</source>
            <translation>检查更新</translation>
        </message>
        <message>
            <source>Version: %1</source>
            <translation>版本：%1</translation>
        </message>
        <message>
            <source>Not found new version.</source>
            <translation>未发现新版本。</translation>
        </message>
        <message>
            <source>COPYRIGHT_STRING</source>
            <translation>Copyright © 2026 Glimora. 保留所有权利。</translation>
        </message>
    </context>
    <context>
        <name>CContactsListview</name>
        <message>
            <source>(Me)</source>
            <translation>（我）</translation>
        </message>
        <message>
            <source>Add contacts</source>
            <translation>添加联系人</translation>
        </message>
        <message>
            <source>Organization</source>
            <translation>组织架构</translation>
        </message>
        <message>
            <source>My contacts</source>
            <translation>我的联系人</translation>
        </message>
    </context>
    <context>
        <name>CContactsAddDelegate</name>
        <message>
            <source>Add</source>
            <translation>添加</translation>
        </message>
        <message>
            <source>Added</source>
            <translation>已添加</translation>
        </message>
    </context>
    <context>
        <name>CWebreportDataTableWidget</name>
        <message>
            <source>Normal</source>
            <translation>正常</translation>
        </message>
        <message>
            <source>Available</source>
            <translation>可用</translation>
        </message>
        <message>
            <source>Poor</source>
            <translation>较差</translation>
        </message>
        <message>
            <source>Unreachable</source>
            <translation>不可达</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>失败</translation>
        </message>
        <message>
            <source>Timeout</source>
            <translation>超时</translation>
        </message>
        <message>
            <source>Login failed</source>
            <translation>登录失败</translation>
        </message>
        <message>
            <source>Register failed</source>
            <translation>注册失败</translation>
        </message>
        <message>
            <source>Call failed</source>
            <translation>呼叫失败</translation>
        </message>
        <message>
            <source>Login service connection status</source>
            <translation>登录服务连接状态</translation>
        </message>
        <message>
            <source>Registration service connection status</source>
            <translation>注册服务连接状态</translation>
        </message>
        <message>
            <source>Call status</source>
            <translation>呼叫状态</translation>
        </message>
        <message>
            <source>Call rate</source>
            <translation>呼叫速率</translation>
        </message>
        <message>
            <source>Network quality(Audio)</source>
            <translation>网络质量（音频）</translation>
        </message>
        <message>
            <source>Network quality(Video)</source>
            <translation>网络质量（视频）</translation>
        </message>
        <message>
            <source>Network quality(Content)</source>
            <translation>网络质量（辅流）</translation>
        </message>
        <message>
            <source>Network status</source>
            <translation>网络状态</translation>
        </message>
        <message>
            <source>Details</source>
            <translation>详情</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>状态</translation>
        </message>
        <message>
            <source>Service address</source>
            <translation>服务地址</translation>
        </message>
        <message>
            <source>Call rate(Download)</source>
            <translation>呼叫速率（下行）</translation>
        </message>
        <message>
            <source>Call rate(Upload)</source>
            <translation>呼叫速率（上行）</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>下行</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>上行</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>时长</translation>
        </message>
        <message>
            <source>Delay</source>
            <translation>延时</translation>
        </message>
        <message>
            <source>Download jitter</source>
            <translation>下行抖动</translation>
        </message>
        <message>
            <source>Download packet lost</source>
            <translation>下行丢包</translation>
        </message>
        <message>
            <source>Upload jitter</source>
            <translation>上行抖动</translation>
        </message>
        <message>
            <source>Upload packet lost</source>
            <translation>上行丢包</translation>
        </message>
        <message>
            <source>Network quality(Audio download packet lost)</source>
            <translation>网络质量（音频下行丢包）</translation>
        </message>
        <message>
            <source>Network quality(Audio upload packet lost)</source>
            <translation>网络质量（音频上行丢包）</translation>
        </message>
        <message>
            <source>Network quality(Audio download jitter)</source>
            <translation>网络质量（音频下行抖动）</translation>
        </message>
        <message>
            <source>Network quality(Audio upload jitter)</source>
            <translation>网络质量（音频上行抖动）</translation>
        </message>
        <message>
            <source>Network quality(Audio delay)</source>
            <translation>网络质量（音频延时）</translation>
        </message>
        <message>
            <source>Network quality(Video download packet lost)</source>
            <translation>网络质量（视频下行丢包）</translation>
        </message>
        <message>
            <source>Network quality(Video upload packet lost)</source>
            <translation>网络质量（视频上行丢包）</translation>
        </message>
        <message>
            <source>Network quality(Video download jitter)</source>
            <translation>网络质量（视频下行抖动）</translation>
        </message>
        <message>
            <source>Network quality(Video upload jitter)</source>
            <translation>网络质量（视频上行抖动）</translation>
        </message>
        <message>
            <source>Network quality(Video delay)</source>
            <translation>网络质量（视频延时）</translation>
        </message>
        <message>
            <source>Network quality(Content download packet lost)</source>
            <translation>网络质量（辅流下行丢包）</translation>
        </message>
        <message>
            <source>Network quality(Content upload packet lost)</source>
            <translation>网络质量（辅流上行丢包）</translation>
        </message>
        <message>
            <source>Network quality(Content download jitter)</source>
            <translation>网络质量（辅流下行抖动）</translation>
        </message>
        <message>
            <source>Network quality(Content upload jitter)</source>
            <translation>网络质量（辅流上行抖动）</translation>
        </message>
        <message>
            <source>Network quality(Content delay)</source>
            <translation>网络质量（辅流延时）</translation>
        </message>
    </context>
    <context>
        <name>CWebreportDetailsDlg</name>
        <message>
            <source>Details</source>
            <translation>详情</translation>
        </message>
        <message>
            <source>CopyResults</source>
            <translation>复制结果</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Details have been copied to the system clipboard</source>
            <translation>详情已复制到系统剪贴板</translation>
        </message>
        <message>
            <source>Failed to copy details to the system clipboard</source>
            <translation>详情复制到系统剪贴板失败</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::PaintListWidget</name>
        <message>
            <source>Mouse</source>
            <translation>鼠标</translation>
        </message>
        <message>
            <source>Pen</source>
            <translation>画笔</translation>
        </message>
        <message>
            <source>Marker</source>
            <translation>荧光笔</translation>
        </message>
        <message>
            <source>Eraser</source>
            <translation>橡皮擦</translation>
        </message>
        <message>
            <source>Revoke</source>
            <translation>撤销</translation>
        </message>
        <message>
            <source>Background</source>
            <translation>背景</translation>
        </message>
        <message>
            <source>Clear</source>
            <translation>清除</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>退出</translation>
        </message>
    </context>
    <context>
        <name>CManagerButtonWidget</name>
        <message>
            <source>Management</source>
            <translation>管理</translation>
        </message>
        <message>
            <source>Form</source>
            <translation>窗体</translation>
        </message>
    </context>
    <context>
        <name>CConferencesSchedulePage</name>
        <message>
            <source>Back</source>
            <translation>返回</translation>
        </message>
        <message>
            <source>Schedule meeting</source>
            <translation>预约会议</translation>
        </message>
        <message>
            <source>Edit meeting</source>
            <translation>编辑会议</translation>
        </message>
        <message>
            <source>'s meeting</source>
            <translation>的会议</translation>
        </message>
        <message>
            <source>Meeting Title</source>
            <translation>会议主题</translation>
        </message>
        <message>
            <source>Start Time</source>
            <translation>开始时间</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>会议时长</translation>
        </message>
        <message>
            <source>Meeting ID</source>
            <translation>会议号</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>会议密码</translation>
        </message>
        <message>
            <source>Description</source>
            <translation>会议描述</translation>
        </message>
        <message>
            <source>Participaints</source>
            <translation>参会人</translation>
        </message>
        <message>
            <source>Now</source>
            <translation>现在</translation>
        </message>
        <message>
            <source>Schedule</source>
            <translation>预约</translation>
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
            <translation>提示</translation>
        </message>
        <message>
            <source>The password may hold only digits, at most 12.</source>
            <translation>会议密码只能包含数字，最多12位。</translation>
        </message>
        <message>
            <source>The start time is not valid.</source>
            <translation>开始时间无效。</translation>
        </message>
        <message>
            <source>The start time has passed, please choose a later time.</source>
            <translation>开始时间已过，请选择更晚的时间。</translation>
        </message>
        <message>
            <source>Please set the duration of the meeting.</source>
            <translation>请设置会议时长。</translation>
        </message>
    </context>
    <context>
        <name>CUpdateMessageWidget</name>
        <message>
            <source>Software Update</source>
            <translation>软件更新</translation>
        </message>
        <message>
            <source>No</source>
            <translation>否</translation>
        </message>
        <message>
            <source>Yes</source>
            <translation>是</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>下载</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CUpdateMessageWidget</name>
        <message>
            <source>Downloading the latest software</source>
            <translation>正在下载最新软件</translation>
        </message>
        <message>
            <source>Do you want to install the latest software?</source>
            <translation>是否安装最新软件？</translation>
        </message>
        <message>
            <source>download failed</source>
            <translation>下载失败</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CDownloadThread</name>
        <message>
            <source>The latest software is found (%1)</source>
            <translation>发现最新软件（%1）</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Failed to execute upgrade.</source>
            <translation>升级执行失败。</translation>
        </message>
    </context>
    <context>
        <name>FeedBackDlg</name>
        <message>
            <source>Feedback</source>
            <translation>意见反馈</translation>
        </message>
        <message>
            <source>Problem/Suggestion</source>
            <translation>问题/建议</translation>
        </message>
        <message>
            <source>Contact info(optional)</source>
            <translation>联系方式（选填）</translation>
        </message>
        <message>
            <source>Sure</source>
            <translation>确定</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::FeedBackDlg</name>
        <message>
            <source>Please fill in the problem description of more than 10 words, so that we can help you solve the problem more precisely.</source>
            <translation>请填写10个字以上的问题描述，以便我们更准确地帮您解决问题。</translation>
        </message>
        <message>
            <source>Fill in your mobile phone number or email address, so that we can contact you.</source>
            <translation>请填写您的手机号码或邮箱地址，以便我们与您联系。</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Uploaded failed</source>
            <translation>上传失败</translation>
        </message>
        <message>
            <source>Uploaded successfully</source>
            <translation>上传成功</translation>
        </message>
        <message>
            <source>Save Log</source>
            <translation>保存日志</translation>
        </message>
        <message>
            <source>Save successfully</source>
            <translation>保存成功</translation>
        </message>
        <message>
            <source>Save failed</source>
            <translation>保存失败</translation>
        </message>
    </context>
</TS>
