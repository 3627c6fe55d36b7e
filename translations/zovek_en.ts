<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Captions</name>
    <message>
        <source>年齢</source>
        <translation>Age</translation>
    </message>
    <message>
        <source>仲間加入</source>
        <translation>Joined</translation>
    </message>
    <message>
        <source>体術使用</source>
        <translation>Unarmed</translation>
    </message>
    <message>
        <source>CR</source>
        <translation>CR</translation>
    </message>
    <message>
        <source>HP</source>
        <translation>HP</translation>
    </message>
    <message>
        <source>最大HP</source>
        <translation>Max HP</translation>
    </message>
    <message>
        <source>LP</source>
        <translation>LP</translation>
    </message>
    <message>
        <source>最大LP</source>
        <translation>Max LP</translation>
    </message>
    <message>
        <source>WP</source>
        <translation>WP</translation>
    </message>
    <message>
        <source>最大WP</source>
        <translation>Max WP</translation>
    </message>
    <message>
        <source>JP</source>
        <translation>JP</translation>
    </message>
    <message>
        <source>最大JP</source>
        <translation>Max JP</translation>
    </message>
    <message>
        <source>データ</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>%1LV</source>
        <translation>%1 Lv</translation>
    </message>
    <message>
        <source>コード</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>回 数</source>
        <translation>Uses</translation>
    </message>
    <message>
        <source>装備品名</source>
        <translation>Equipment</translation>
    </message>
    <message>
        <source>アイテム名</source>
        <translation>Item name</translation>
    </message>
    <message>
        <source>武器%1</source>
        <translation>Wpn %1</translation>
    </message>
    <message>
        <source>防具%1</source>
        <translation>Arm %1</translation>
    </message>
    <message>
        <source>持物</source>
        <translation>Items</translation>
    </message>
    <message>
        <source>持物%1</source>
        <translation>Item %1</translation>
    </message>
    <message>
        <source>パーティ構成</source>
        <translation>Party</translation>
    </message>
    <message>
        <source>メイン</source>
        <translation>main</translation>
    </message>
    <message>
        <source>サブ</source>
        <translation>reserve</translation>
    </message>
    <message>
        <source>メイン%1</source>
        <translation>Main %1</translation>
    </message>
    <message>
        <source>サブ%1</source>
        <translation>Reserve %1</translation>
    </message>
    <message>
        <source>資質</source>
        <translation>Aptitude</translation>
    </message>
    <message>
        <source>キャラクター</source>
        <translation>Characters</translation>
    </message>
    <message>
        <source>技術・シナリオ</source>
        <translation>Skills/Scenarios</translation>
    </message>
    <message>
        <source>アイテム・その他</source>
        <translation>Items/Other</translation>
    </message>
    <message>
        <source>技・術の極意修得</source>
        <translation>Techniques mastered</translation>
    </message>
    <message>
        <source>シナリオ設定</source>
        <translation>Scenarios</translation>
    </message>
    <message>
        <source>ロール取得</source>
        <translation>Roles gained</translation>
    </message>
    <message>
        <source>主人公コード :</source>
        <translation>Hero code :</translation>
    </message>
    <message>
        <source>チップ : </source>
        <translation>Chips : </translation>
    </message>
    <message>
        <source>時間 :</source>
        <translation>Time :</translation>
    </message>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
    <message>
        <source> (時)</source>
        <translation> (hours)</translation>
    </message>
    <message>
        <source> (分)</source>
        <translation> (minutes)</translation>
    </message>
    <message>
        <source>非表示</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>未踏</source>
        <translation>New</translation>
    </message>
    <message>
        <source>該当</source>
        <translation>Now</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>End</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>PSセーブ形式(</source>
        <translation>Save files (</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>このファイルは対応していません。</source>
        <translation>This file is not supported.</translation>
    </message>
    <message>
        <source>Zovekのセーブデータがありません。</source>
        <translation>There is no Zovek save data in this file.</translation>
    </message>
    <message>
        <source>ファイル読み込みエラー (%1)</source>
        <translation>File read error (%1)</translation>
    </message>
    <message>
        <source>ファイル書き込みエラー (%1)</source>
        <translation>File write error (%1)</translation>
    </message>
    <message>
        <source>バックアップなし</source>
        <translation>No backup</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>このファイルは署名付きの形式のため、表示はできますが保存はできません。</source>
        <translation>This file is in a signed form: it can be shown but not saved.</translation>
    </message>
    <message>
        <source>保存確認</source>
        <translation>Confirm save</translation>
    </message>
    <message>
        <source>バックアップ確認</source>
        <translation>Confirm backup</translation>
    </message>
    <message>
        <source>上書き確認</source>
        <translation>Confirm overwrite</translation>
    </message>
    <message>
        <source>セーブデータが壊れている可能性があります。</source>
        <translation>The save data may be damaged.</translation>
    </message>
    <message>
        <source>バックアップ: %1</source>
        <translation>Backup: %1</translation>
    </message>
    <message>
        <source>セーブデータ No. %1 を更新します。</source>
        <translation>Save data No. %1 will be updated.</translation>
    </message>
    <message>
        <source>よろしいですか？</source>
        <translation>Is that all right?</translation>
    </message>
    <message>
        <source>バックアップを作成できませんでした (%1)</source>
        <translation>The backup could not be made (%1)</translation>
    </message>
    <message>
        <source>バックアップなしで保存しますか？</source>
        <translation>Save without a backup?</translation>
    </message>
    <message>
        <source>No. %1 のセーブデータは開いた後に他のプログラムで変更されています。</source>
        <translation>Save data No. %1 was changed by another program after it was opened.</translation>
    </message>
    <message>
        <source>上書きしますか？</source>
        <translation>Overwrite it?</translation>
    </message>
    <message>
        <source>起動中のエディタにファイルを渡せませんでした。</source>
        <translation>The file could not be handed to the running editor.</translation>
    </message>
</context>
<context>
    <name>Names</name>
    <message>
        <source>体術</source>
        <translation>Martial</translation>
    </message>
    <message>
        <source>体</source>
        <translation>M</translation>
    </message>
    <message>
        <source>剣術</source>
        <translation>Sword</translation>
    </message>
    <message>
        <source>剣</source>
        <translation>S</translation>
    </message>
    <message>
        <source>斧術</source>
        <translation>Axe</translation>
    </message>
    <message>
        <source>斧</source>
        <translation>X</translation>
    </message>
    <message>
        <source>杖術</source>
        <translation>Staff</translation>
    </message>
    <message>
        <source>杖</source>
        <translation>R</translation>
    </message>
    <message>
        <source>槍術</source>
        <translation>Spear</translation>
    </message>
    <message>
        <source>槍</source>
        <translation>P</translation>
    </message>
    <message>
        <source>弓術</source>
        <translation>Bow</translation>
    </message>
    <message>
        <source>弓</source>
        <translation>B</translation>
    </message>
    <message>
        <source>樹術</source>
        <translation>Wood</translation>
    </message>
    <message>
        <source>樹</source>
        <translation>W</translation>
    </message>
    <message>
        <source>石術</source>
        <translation>Stone</translation>
    </message>
    <message>
        <source>石</source>
        <translation>E</translation>
    </message>
    <message>
        <source>火術</source>
        <translation>Fire</translation>
    </message>
    <message>
        <source>火</source>
        <translation>F</translation>
    </message>
    <message>
        <source>水術</source>
        <translation>Water</translation>
    </message>
    <message>
        <source>水</source>
        <translation>A</translation>
    </message>
    <message>
        <source>音術</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>音</source>
        <translation>N</translation>
    </message>
    <message>
        <source>獣術</source>
        <translation>Beast</translation>
    </message>
    <message>
        <source>獣</source>
        <translation>C</translation>
    </message>
    <message>
        <source>兵士(%1)</source>
        <translation>Soldier (%1)</translation>
    </message>
    <message>
        <source>*兵士</source>
        <translation>*Soldier</translation>
    </message>
    <message>
        <source>（未加入）</source>
        <translation>(not joined)</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>（空白）</source>
        <translation>(blank)</translation>
    </message>
    <message>
        <source>アイテム%1</source>
        <translation>Item%1</translation>
    </message>
    <message>
        <source>ぼうぐ%1</source>
        <translation>Armour%1</translation>
    </message>
</context>
<context>
    <name>zovek::FrmMain</name>
    <message>
        <source>Zovek セーブデータ変更ツール v1.02</source>
        <translation>Zovek Save Data Editor v1.02</translation>
    </message>
    <message>
        <source>キャラ選択 : </source>
        <translation>Char. : </translation>
    </message>
    <message>
        <source>能力推奨</source>
        <translation>Advised</translation>
    </message>
    <message>
        <source>能力最強</source>
        <translation>Strongest</translation>
    </message>
    <message>
        <source>能力最弱</source>
        <translation>Weakest</translation>
    </message>
    <message>
        <source>全選択</source>
        <translation>All</translation>
    </message>
    <message>
        <source>全解除</source>
        <translation>None</translation>
    </message>
    <message>
        <source>%1  （左側 : %2&#x3000;右側 : %3）</source>
        <translation>%1  (left: %2, right: %3)</translation>
    </message>
    <message>
        <source>キャラ選択</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>技・術の系統</source>
        <translation>Technique type</translation>
    </message>
    <message>
        <source>キャラクターコード</source>
        <translation>Character code</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙを開く(&amp;O)</source>
        <translation>&amp;Open file...</translation>
    </message>
    <message>
        <source>ﾃﾞｰﾀ保存(&amp;S)</source>
        <translation>&amp;Save data</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>取り消し</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>ｷｬﾗﾃﾞｰﾀｺﾋﾟｰ</source>
        <translation>Copy character</translation>
    </message>
    <message>
        <source>ｷｬﾗﾃﾞｰﾀ貼り付け</source>
        <translation>Paste character</translation>
    </message>
    <message>
        <source>ｾｰﾌﾞ選択(&amp;V)</source>
        <translation>Sa&amp;ves</translation>
    </message>
    <message>
        <source>ページ選択</source>
        <translation>Pages</translation>
    </message>
</context>
</TS>
