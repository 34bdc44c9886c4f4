<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CAboutDialog</name>
    <message>
        <source>Tomeling のバージョン情報</source>
        <translation>About Tomeling</translation>
    </message>
    <message>
        <source>%1 Version %2</source>
        <translation>%1 version %2</translation>
    </message>
</context>
<context>
    <name>CComplexSearchDialog</name>
    <message>
        <source>複合検索</source>
        <translation>Complex Search</translation>
    </message>
    <message>
        <source>複合検索%1</source>
        <translation>Complex Search %1</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CFindDialog</name>
    <message>
        <source>検索</source>
        <translation>Find in Entry</translation>
    </message>
    <message>
        <source>検索する文字列(&amp;N)</source>
        <translation>Fi&amp;nd what:</translation>
    </message>
    <message>
        <source>次を検索</source>
        <translation>Find Next</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CFolianView</name>
    <message>
        <source>このアドレスは開けません: %1</source>
        <translation>Cannot open this address: %1</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>選択語で検索(&amp;S)</source>
        <translation>&amp;Search Selection</translation>
    </message>
    <message>
        <source>辞書指定検索(&amp;D)</source>
        <translation>Search in &amp;Dictionary</translation>
    </message>
</context>
<context>
    <name>CGroupDialog</name>
    <message>
        <source>グループ</source>
        <translation>Edit Group</translation>
    </message>
    <message>
        <source>グループ(&amp;G)</source>
        <translation>&amp;Group:</translation>
    </message>
    <message>
        <source>新規</source>
        <translation>New</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Find Dictionaries</translation>
    </message>
    <message>
        <source>depth</source>
        <translation>Depth:</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>title</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>abbr</source>
        <translation>Short name</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>上(&amp;U)</source>
        <translation>Move &amp;Up</translation>
    </message>
    <message>
        <source>下(&amp;D)</source>
        <translation>Move &amp;Down</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>グループを保存できません: %1</source>
        <translation>Cannot save the group: %1</translation>
    </message>
</context>
<context>
    <name>CImageView</name>
    <message>
        <source>(W)%1x(H)%2</source>
        <translation>%1 × %2</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>コピー(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)	Ctrl+V</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>全て選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>全て選択(&amp;A)	Ctrl+A</source>
        <translation>Select &amp;All	Ctrl+A</translation>
    </message>
    <message>
        <source>履歴の読込(&amp;L)</source>
        <translation>&amp;Load History</translation>
    </message>
    <message>
        <source>履歴の保存(&amp;S)</source>
        <translation>&amp;Save History</translation>
    </message>
    <message>
        <source>履歴の削除(&amp;D)</source>
        <translation>Clear &amp;History</translation>
    </message>
    <message>
        <source>項目内容を検索(&amp;F)</source>
        <translation>&amp;Find in Entry</translation>
    </message>
    <message>
        <source>次の語の検索(&amp;N)</source>
        <translation>Find &amp;Next</translation>
    </message>
    <message>
        <source>カーソルモード(&amp;S)</source>
        <translation>Cursor &amp;Mode</translation>
    </message>
    <message>
        <source>前方一致(&amp;B)</source>
        <translation>&amp;Forward Search</translation>
    </message>
    <message>
        <source>後方一致(&amp;E)</source>
        <translation>&amp;Backward Search</translation>
    </message>
    <message>
        <source>完全一致(&amp;X)</source>
        <translation>&amp;Exact Search</translation>
    </message>
    <message>
        <source>クロス条件(&amp;C)</source>
        <translation>&amp;Cross Search</translation>
    </message>
    <message>
        <source>条件検索(&amp;K)</source>
        <translation>&amp;Keyword Search</translation>
    </message>
    <message>
        <source>メニュー検索(&amp;M)</source>
        <translation>&amp;Menu</translation>
    </message>
    <message>
        <source>複合検索(&amp;L)</source>
        <translation>Comp&amp;lex Search</translation>
    </message>
    <message>
        <source>図版メニュー(&amp;G)</source>
        <translation>&amp;Graphic Menu</translation>
    </message>
    <message>
        <source>クリップボード検索(&amp;Y)</source>
        <translation>Cli&amp;pboard Search</translation>
    </message>
    <message>
        <source>串刺し検索(&amp;A)</source>
        <translation>Search &amp;All Dictionaries</translation>
    </message>
    <message>
        <source>インクリメンタルサーチ(&amp;I)</source>
        <translation>&amp;Incremental Search</translation>
    </message>
    <message>
        <source>語尾補正(&amp;W)</source>
        <translation>&amp;Word Ending Correction</translation>
    </message>
    <message>
        <source>辞書の追加(&amp;D)</source>
        <translation>&amp;Add Dictionary</translation>
    </message>
    <message>
        <source>辞書の再検索(&amp;S)</source>
        <translation>&amp;Rescan Dictionaries</translation>
    </message>
    <message>
        <source>グループの編集(&amp;G)</source>
        <translation>&amp;Edit Group</translation>
    </message>
    <message>
        <source>戻る(&amp;P)</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>進む(&amp;N)</source>
        <translation>&amp;Forward</translation>
    </message>
    <message>
        <source>著作権表示(&amp;C)</source>
        <translation>Cop&amp;yright</translation>
    </message>
    <message>
        <source>連続表示(&amp;N)</source>
        <translation>Continuous &amp;Display</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>ヘルプ トピック(&amp;H)</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>Tomeling のバージョン情報...</source>
        <translation>About Tomeling...</translation>
    </message>
    <message>
        <source>Tomeling のバージョン情報(&amp;A)...</source>
        <translation>&amp;About Tomeling...</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>辞書</source>
        <translation>&amp;Dictionary</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>ツール</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>移動(&amp;G)</source>
        <translation>&amp;Go</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>次の語の検索</source>
        <translation>Find Next</translation>
    </message>
    <message>
        <source>全画面表示</source>
        <translation>Full Screen</translation>
    </message>
    <message>
        <source>辞書の追加</source>
        <translation>Add Dictionary</translation>
    </message>
    <message>
        <source>CATALOG Files (CATALOG* catalog* Catalog*);;All Files (*)</source>
        <translation>CATALOG Files (CATALOG* catalog* Catalog*);;All Files (*)</translation>
    </message>
    <message>
        <source>履歴の読込</source>
        <translation>Load History</translation>
    </message>
    <message>
        <source>Text Files (*.txt);;All Files (*)</source>
        <translation>Text Files (*.txt);;All Files (*)</translation>
    </message>
    <message>
        <source>履歴を読み込めません:
%1</source>
        <translation>Cannot load the history:
%1</translation>
    </message>
    <message>
        <source>履歴の保存</source>
        <translation>Save History</translation>
    </message>
    <message>
        <source>履歴を保存できません:
%1</source>
        <translation>Cannot save the history:
%1</translation>
    </message>
    <message>
        <source>ヘルプを開けません</source>
        <translation>Cannot open the help</translation>
    </message>
    <message>
        <source>辞書を検索しています...</source>
        <translation>Looking for dictionaries...</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>辞書を検索しています...
%1</source>
        <translation>Looking for dictionaries...
%1</translation>
    </message>
    <message>
        <source>辞書が見つかりません:
%1</source>
        <translation>No dictionary found:
%1</translation>
    </message>
    <message>
        <source>グループを保存できません:
%1</source>
        <translation>Cannot save the group:
%1</translation>
    </message>
    <message>
        <source>Folian</source>
        <translation>Folian</translation>
    </message>
</context>
<context>
    <name>CPPFont</name>
    <message>
        <source>ClearType(&amp;C)</source>
        <translation>&amp;ClearType smoothing</translation>
    </message>
    <message>
        <source>Italic(&amp;I)</source>
        <translation>&amp;Italic</translation>
    </message>
    <message>
        <source>Bold(&amp;B)</source>
        <translation>&amp;Bold</translation>
    </message>
    <message>
        <source>外字サイズを調整(&amp;A)</source>
        <translation>&amp;Adjust gaiji to the text size</translation>
    </message>
    <message>
        <source>リンクに下線(&amp;U)</source>
        <translation>&amp;Underline links</translation>
    </message>
    <message>
        <source>検索語強調(&amp;H)</source>
        <translation>&amp;Highlight search words</translation>
    </message>
    <message>
        <source>罫線(&amp;R)</source>
        <translation>&amp;Ruled lines</translation>
    </message>
    <message>
        <source>日本語フォント(&amp;J)</source>
        <translation>&amp;Japanese font:</translation>
    </message>
    <message>
        <source>EBGフォント(&amp;G)</source>
        <translation>EB&amp;G font:</translation>
    </message>
    <message>
        <source>EBXA-C(&amp;X)</source>
        <translation>EB&amp;XA-C font:</translation>
    </message>
    <message>
        <source>項目リスト(&amp;L)</source>
        <translation>Hit &amp;list size:</translation>
    </message>
    <message>
        <source>本文(&amp;T)</source>
        <translation>&amp;Text size:</translation>
    </message>
    <message>
        <source>行間(&amp;S)</source>
        <translation>Line &amp;spacing:</translation>
    </message>
</context>
<context>
    <name>CPPKey</name>
    <message>
        <source>検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>前方一致</source>
        <translation>Forward Search</translation>
    </message>
    <message>
        <source>後方一致</source>
        <translation>Backward Search</translation>
    </message>
    <message>
        <source>完全一致</source>
        <translation>Exact Search</translation>
    </message>
    <message>
        <source>クロス条件</source>
        <translation>Cross Search</translation>
    </message>
    <message>
        <source>条件検索</source>
        <translation>Keyword Search</translation>
    </message>
    <message>
        <source>メニュー検索</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>複合検索</source>
        <translation>Complex Search</translation>
    </message>
    <message>
        <source>図版メニュー</source>
        <translation>Graphic Menu</translation>
    </message>
    <message>
        <source>クリップボード検索</source>
        <translation>Clipboard Search</translation>
    </message>
    <message>
        <source>串刺し検索</source>
        <translation>Search All Dictionaries</translation>
    </message>
    <message>
        <source>インクリメンタルサーチ</source>
        <translation>Incremental Search</translation>
    </message>
    <message>
        <source>語尾補正</source>
        <translation>Word Ending Correction</translation>
    </message>
    <message>
        <source>辞書の追加</source>
        <translation>Add Dictionary</translation>
    </message>
    <message>
        <source>辞書の再検索</source>
        <translation>Rescan Dictionaries</translation>
    </message>
    <message>
        <source>グループの編集</source>
        <translation>Edit Group</translation>
    </message>
    <message>
        <source>アプリケーションの終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>項目内容を検索</source>
        <translation>Find in Entry</translation>
    </message>
    <message>
        <source>次の語の検索</source>
        <translation>Find Next</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>全て選択</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>カーソルモード</source>
        <translation>Cursor Mode</translation>
    </message>
    <message>
        <source>履歴の読込</source>
        <translation>Load History</translation>
    </message>
    <message>
        <source>履歴の保存</source>
        <translation>Save History</translation>
    </message>
    <message>
        <source>履歴の削除</source>
        <translation>Clear History</translation>
    </message>
    <message>
        <source>著作権表示</source>
        <translation>Copyright</translation>
    </message>
    <message>
        <source>連続表示</source>
        <translation>Continuous Display</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Tomeling のバージョン情報</source>
        <translation>About Tomeling</translation>
    </message>
    <message>
        <source>Shift(&amp;S)</source>
        <translation>&amp;Shift</translation>
    </message>
    <message>
        <source>Ctrl(&amp;C)</source>
        <translation>&amp;Ctrl</translation>
    </message>
    <message>
        <source>Alt(&amp;A)</source>
        <translation>&amp;Alt</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>key</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>command</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Key(&amp;K)</source>
        <translation>&amp;Key:</translation>
    </message>
    <message>
        <source>Command(&amp;O)</source>
        <translation>C&amp;ommand:</translation>
    </message>
</context>
<context>
    <name>CPPLayout</name>
    <message>
        <source>画像を画面横幅に調整(&amp;A)</source>
        <translation>&amp;Adjust images to the window width</translation>
    </message>
    <message>
        <source>インライン画像(&amp;I)</source>
        <translation>&amp;Inline images</translation>
    </message>
    <message>
        <source>プレビュー(&amp;V)</source>
        <translation>Pre&amp;view hits while moving through the list</translation>
    </message>
    <message>
        <source>全画面表示(&amp;F)</source>
        <translation>&amp;Full screen when reading an entry</translation>
    </message>
    <message>
        <source>AUTO</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>PORTRAIT</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>LANDSCAPE</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>NONE</source>
        <translation>Search box</translation>
    </message>
    <message>
        <source>LIST</source>
        <translation>Hit list</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>辞書名長さ(&amp;N)</source>
        <translation>Dictionary &amp;name length:</translation>
    </message>
    <message>
        <source>左余白(&amp;M)</source>
        <translation>Left &amp;margin:</translation>
    </message>
    <message>
        <source>レイアウト(&amp;L)</source>
        <translation>&amp;Layout:</translation>
    </message>
    <message>
        <source>フォーカス移動(&amp;F)</source>
        <translation>F&amp;ocus after a search:</translation>
    </message>
    <message>
        <source>システムの色を使う(&amp;U)</source>
        <translation>&amp;Use the desktop&apos;s colours</translation>
    </message>
</context>
<context>
    <name>CPPOpt</name>
    <message>
        <source>多重起動を許可(&amp;M)</source>
        <translation>Allow &amp;multiple instances</translation>
    </message>
    <message>
        <source>候補なしを表示(&amp;O)</source>
        <translation>Sh&amp;ow a notice when nothing is found</translation>
    </message>
    <message>
        <source>ローマ字かな変換(&amp;R)</source>
        <translation>&amp;Romaji to Kana</translation>
    </message>
    <message>
        <source>句読点削除(&amp;T)</source>
        <translation>&amp;Trim punctuation from the search word</translation>
    </message>
    <message>
        <source>クリップボード監視(&amp;C)</source>
        <translation>Monitor the &amp;clipboard</translation>
    </message>
    <message>
        <source>IME制御(&amp;I)</source>
        <translation>Open the &amp;input method in the search box</translation>
    </message>
    <message>
        <source>TrayIcon(&amp;Y)</source>
        <translation>Tra&amp;y icon</translation>
    </message>
    <message>
        <source>自動クリップ</source>
        <translation>Copy entries to the clipboard</translation>
    </message>
    <message>
        <source>電源Onで辞書認識</source>
        <translation>Reload dictionaries when a disk is inserted</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>ページ数(&amp;P)</source>
        <translation>&amp;Pages per entry:</translation>
    </message>
    <message>
        <source>EB sampling rate</source>
        <translation>EB sampling rate:</translation>
    </message>
    <message>
        <source>MPEG Player(&amp;L)</source>
        <translation>Movie p&amp;layer:</translation>
    </message>
    <message>
        <source>MPEG Player</source>
        <translation>Movie Player</translation>
    </message>
    <message>
        <source>実行できるファイルではありません: %1</source>
        <translation>Not a program that can be run: %1</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>次回の起動から</source>
        <translation>from the next start</translation>
    </message>
    <message>
        <source>言語(&amp;G)</source>
        <translation>Lan&amp;guage:</translation>
    </message>
</context>
<context>
    <name>CPSheet</name>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Keycode</source>
        <translation>Keycode</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CSearchBar</name>
    <message>
        <source>検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>前方</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>後方</source>
        <translation>Backward</translation>
    </message>
    <message>
        <source>完全</source>
        <translation>Exact</translation>
    </message>
    <message>
        <source>クロス</source>
        <translation>Cross</translation>
    </message>
    <message>
        <source>条件</source>
        <translation>Keyword</translation>
    </message>
    <message>
        <source>全文</source>
        <translation>Full Text</translation>
    </message>
</context>
<context>
    <name>CSearchCycle</name>
    <message>
        <source>候補が見つかりません</source>
        <translation>No hits found</translation>
    </message>
    <message numerus="yes">
        <source>&gt;%n 件</source>
        <translation>
            <numerusform>More than %n hit</numerusform>
            <numerusform>More than %n hits</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 件</source>
        <translation>
            <numerusform>%n hit</numerusform>
            <numerusform>%n hits</numerusform>
        </translation>
    </message>
</context>
</TS>
