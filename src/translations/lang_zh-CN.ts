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
        <source>Invalid media type, only &quot;application/json&quot; is supported(%1).</source>
        <translation>媒体类型无效，仅支持&quot;application/json&quot;(%1)。</translation>
    </message>
    <message>
        <source>You don&apos;t have permission to perform this operation(%1).</source>
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
</TS>
