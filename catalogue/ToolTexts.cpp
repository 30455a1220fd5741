// The texts of what the tool adds to the window: the record of a job, the helpers, the
// menus, files and the messages of every front end, Japanese at the id, English at + 5000.
#include "catalogue/CatalogueEntries.h"

namespace Catalogue::Detail {
namespace {

constexpr Entry Entries[] = {
    {PipeText::NoMortar,
     "%1 のモルタルライニングの厚さはこの表にありません。ライニング材質にモルタルを選び、"
     "ライニング厚さを入力してください",
     "The mortar lining of %1 pipes is not held here: choose MORTAR as the lining and type "
     "its thickness"},
    {PipeText::MortarLining, "モルタルライニング付き", "With cement-mortar lining"},
    {PipeText::LiningFrom, "%1 %2 (%3)", "%1 %2 (%3)"},
    {PipeText::SizeAndLining,
     "モルタル付きの規格の配管はライニングを決めます。ライニングと同時には指定できません",
     "A standard size with mortar sets the lining; give one or the other, not both"},
    {PipeText::SuNotA,
     "%1: JIS G 3448 の呼び径は Su で表し、A ではありません。どちらかで指定してください (%2)",
     "%1: JIS G 3448 names its sizes in Su, not A; write the one you mean (%2)"},
    {PipeText::MortarAndUnlined, "%1: モルタルとライニングなしの両方が書かれています",
     "%1: both mortar and unlined are written; give one"},
    {PipeText::UnknownAfterSize,
     "%1: 呼び径の後の「%2」はスケジュールとして読めません (あるもの: %3)",
     "%1: \"%2\" after the size is not a schedule it has (it has %3)"},
    {PipeText::UnknownAfterOneWall,
     "%1: 肉厚は1つだけです。呼び径の後の「%2」は読めません。%1 と指定してください",
     "%1 has one wall thickness; \"%2\" after the size is not read: write %1"},
    {PipeText::NeverMortar,
     "%1 の配管にはモルタルライニングはありません。「モルタル」を付けずに指定してください",
     "%1 pipes have no cement-mortar lining: write the size without \"mortar\""},
    {PipeText::DuctileLining,
     "%1: 水道用ダクタイル鋳鉄管はモルタルライニング付きで納入されます。「%1 モルタル」"
     "(規格のライニング) か「%1 ライニングなし」と指定してください",
     "%1: water-works ductile pipe is supplied cement-lined; write \"%1 mortar\" for its "
     "standard lining, or \"%1 unlined\""},
    {ReportText::FluidPath, "流体中の経路", "Fluid path"},
    {ReportText::FluidPathFormat, "%1 (横断 %2 回)、伝搬時間 %3 µs",
     "%1 (%2 crossings), transit time %3 µs"},
    {JobText::Site, "現場", "SITE"},
    {JobText::Tag, "測定点 (タグ)", "TAG"},
    {JobText::Installer, "施工者", "INSTALLER"},
    {JobText::Note, "備考", "NOTE"},
    {JobText::Details, "ジョブ情報...", "Job details..."},
    {JobText::ControlCharacter, "%1 に制御文字 (改行、タブなど) は使えません",
     "%1 cannot hold control characters (line breaks, tabs and the like)"},
    {JobText::TooLong, "%1 は %2 文字までです", "%1 takes at most %2 characters"},
    {JobText::NotUtf8, "%1 は UTF-8 の文字で書いてください", "%1 must be written in UTF-8"},
    {JobText::FormatCharacter,
     "%1 に見えない書式文字 (文字の向きを変える記号、幅のない空白など) は使えません",
     "%1 cannot hold invisible format characters (direction marks and overrides, zero-width "
     "spaces)"},
    {MenuText::File, "ファイル(&F)", "&File"},
    {MenuText::Edit, "編集(&E)", "&Edit"},
    {MenuText::Tools, "ツール(&T)", "&Tools"},
    {MenuText::HelpMenu, "ヘルプ(&H)", "&Help"},
    {MenuText::RecentJobs, "最近のジョブ", "Recent jobs"},
    {MenuText::Quit, "終了", "Quit"},
    {MenuText::NoRecentJobs, "(まだありません)", "(none yet)"},
    {MenuText::JobsNotKept,
     "計算したジョブを %1 に記録できません: %2。計算はこのまま続けられます。",
     "The jobs computed cannot be kept in %1: %2. Computing goes on as before."},
    {MenuText::OtherColumns,
     "%1 "
     "の列はこのプログラムのものと違うため、ジョブを追加しません。ファイルの名前を変えると新しく作"
     "ります。",
     "%1 has other columns than this program writes, so no job is added to it. Rename it "
     "and a new one is started."},
    {MenuText::OtherUnits,
     "このジョブは %1 で計算されました。このウィンドウは %2 で動いているため、戻せません。",
     "This job was computed in %1; this window works in %2, so it cannot be restored here."},
    {MenuText::MethodNotHere, "このジョブの取付け法 (%1) はこのウィンドウにはありません。",
     "This job's mounting method (%1) is not offered in this window."},
    {MenuText::NotRegularFile,
     "%1 は通常のファイルではありません (FIFO、デバイス、フォルダーなど)。ジョブを記録も表示も"
     "しません。",
     "%1 is not a regular file (a FIFO, a device or a folder, say): no job is kept in it or "
     "read from it."},
    {MenuText::UnfinishedRow,
     "%1 の最後が行として読めません (閉じていない引用符など)。追加したジョブがその行に読み込まれ"
     "てしまうため、直すまでジョブを追加しません。",
     "%1 does not end in whole rows (a quote is never closed, say): the jobs added would be "
     "read into that row, so none is added until it is mended."},
    {WebText::ExportJobs, "ジョブシートに保存 (CSV)", "Save as job sheet (CSV)"},
    {WebText::ShareSummary, "要約を共有", "Share summary"},
    {WebText::ShareJobs, "ジョブシートを共有", "Share job sheet"},
    {WebText::ClearJobs, "一覧を消去", "Clear the list"},
    {WebText::ClearConfirm, "この端末に残した %1 件のジョブを消去しますか?",
     "Clear the %1 jobs kept on this phone?"},
    {WebText::EnlargeSketch, "タップで拡大", "Tap to enlarge"},
    {FileText::DiskFull, "ディスクがいっぱいです", "the disk is full"},
    {FileText::QuotaUsedUp, "ディスクの使用量の上限に達しています", "the disk quota is used up"},
    {FileText::NoPermission, "書き込む権限がありません", "there is no permission to write there"},
    {FileText::ReadOnlyDisk, "読み取り専用のディスクです", "the disk is read-only"},
    {FileText::FileInTheWay, "フォルダーのあるべき場所にファイルがあります",
     "a file stands where a folder should be"},
    {FileText::IsAFolder, "フォルダーです", "it is a folder"},
    {FileText::TooLarge, "ファイルが大きすぎます", "the file is too large"},
    {FileText::DiskError, "ディスクの読み書きに失敗しました",
     "the disk could not be read or written"},
    {ErrorText::TypeMismatch, "入力値を数値として読めません。",
     "An entry cannot be read as a number."},
    {ErrorText::SubscriptOutOfRange, "選択された項目の値が表にありません。",
     "The selected entry has no value in the table."},
    {ErrorText::WallRefraction,
     "音波が配管に入射できません。このセンサ種類には配管音速が高すぎます。",
     "The sound beam cannot enter the pipe wall: its sound velocity is too high for this "
     "sensor type."},
    {ErrorText::LiningRefraction,
     "音波がライニングに入射できません。このセンサ種類にはライニング音速が高すぎます。",
     "The sound beam cannot enter the lining: its sound velocity is too high for this sensor "
     "type."},
    {ErrorText::FluidRefraction,
     "音波が流体に入射できません。このセンサ種類には流体音速が高すぎます。",
     "The sound beam cannot enter the fluid: its sound velocity is too high for this sensor "
     "type."},
    {ErrorText::DivisionByZero, "計算中に0で割ることになりました。入力値を確認してください。",
     "The calculation would divide by zero. Please check the entries."},
    {ErrorText::Overflow, "計算値が大きすぎます。入力値を確認してください。",
     "A value is too large to calculate. Please check the entries."},
    {ErrorText::InvalidArgument, "この入力値では計算できません。",
     "These entries give no valid result."},
    {ErrorText::Unexpected, "計算できませんでした。", "The calculation could not be completed."},
    {ErrorText::MisplacedComma,
     "「,」は3桁の区切りにだけ使えます(1,234.5)。小数点は「.」で入力してください。",
     "',' only separates thousands (1,234.5): type the decimal point as '.'"},
    {CalcText::UnknownSensorType, "不明なセンサ種類です", "Unknown sensor type"},
    {CalcText::UnknownPipeMaterial, "不明な配管材質です", "Unknown pipe material"},
    {CalcText::UnknownLiningMaterial, "不明なライニング材質です", "Unknown lining material"},
    {CalcText::UnknownFluid, "不明な流体種類です", "Unknown kind of fluid"},
    {CalcText::UnknownMountMethod, "不明な取付け法です", "Unknown mounting method"},
    {CalcText::Circumferential, "周方向距離", "Circumferential distance"},
    {CalcText::RowLength, "行の項目数 (%1) がヘッダの項目数 (%2) と合いません",
     "The row has %1 fields, the header %2 (a decimal comma? write 114.3, or quote \"1,234.5\")"},
    {CalcText::TooLong, "入力欄の文字数を超えています",
     "The value has more characters than its field takes"},
    {ErrorText::EmptyInput, "%1を入力してください。", "%1: enter a value."},
    {ErrorText::NoBore,
     "配管厚さとライニング厚さで流体の通る内径がなくなります。外径寸法と厚さを確認してください。",
     "The wall and lining leave no room for the fluid: check the outer diameter and the "
     "thicknesses."},
    {CalcText::NamedAndVelocity, "%1 には表の音速があります。%1 か %2 のどちらかを指定してください",
     "%1 has its own sound velocity in the table: give %1 or %2, not both"},
    {CalcText::NeedsLining, "%1 はライニングがあるときだけ使われます。%2 を指定してください",
     "%1 counts only with a lining: give the %2"},
    {CalcText::UnheadedValue, "見出しのない %1 列目に値があります: %2",
     "Column %1 has no heading, but a value: %2"},
    {CalcText::DidYouMean, "%1 のことですか？", "did you mean %1?"},
    {CalcText::RowOfOneField, "行の項目数 (1) がヘッダの項目数 (%1) と合いません",
     "The row has 1 field, the header %1"},
    {ReportText::SteppedFrom, "計算値 %1、%2 ステップ = %3 で取付け",
     "%1 computed, mounted at %2 steps = %3"},
    {ReportText::CopySummary, "ジョブの要約をコピー", "Copy job summary"},
    {ReportText::SaveReport, "報告書を保存...", "Save report..."},
    {ReportText::Print, "印刷...", "Print..."},
    {ReportText::Help, "ヘルプ", "Help"},
    {ReportText::About, "Quillmere について", "About Quillmere"},
    {ReportText::Title, "センサ取付け寸法の記録", "Sensor spacing record"},
    {ReportText::DateTime, "日時", "Date and time"},
    {ReportText::Version, "バージョン", "Version"},
    {ReportText::TableValue, "%1 (表の値)", "%1 (table value)"},
    {ReportText::Scale, "尺度 %1", "Scale %1"},
    {ReportText::NMethod, "N法", "N METHOD"},
    {ReportText::WMethod, "W法", "W METHOD"},
    {ReportText::Steps, "%1 (3 mm ステップ)", "%1 (3 mm steps)"},
    {ReportText::Legend,
     "灰: 配管、黄土: ライニング、青: 流体、赤: 音波\n"
     "▼: センサの基準点 (取付け寸法はこの2点の間の距離)",
     "Grey: pipe wall; ochre: lining; blue: fluid; red: sound beam\n"
     "Triangles: the sensors' reference points (the spacing is the distance between them)"},
    {ReportText::HelpText,
     "<h3>取付け寸法計算ツール</h3>"
     "<p>配管の外径寸法と配管厚さを入力し、配管材質、ライニング材質、流体種類、センサ取付け法"
     "(V法またはZ法)、センサ種類を選んで「実行」を押します(入力欄で Enter キーでも同じです)。</p>"
     "<p><b>必ず入力する値:</b> 外径寸法、配管厚さ、ライニングを選んだときのライニング厚さ、"
     "一覧の最後の項目(配管音速、ライニング音速、流体音速)を選んだときのその音速。"
     "材質や流体を名前で選ぶと、音速は表の値が使われ、入力欄は灰色になります。"
     "空欄や、配管厚さとライニング厚さで内径がなくなる値は計算しません。</p>"
     "<p><b>結果:</b> 取付け寸法1は2つのセンサの基準点の間の軸方向の距離です"
     "(小数2桁(mm)または3桁(inch)で切り捨て)。VT-A1/VT-A2 と VT-B1/VT-B2 では、"
     "3 mm ステップで取り付けるため、取付け寸法2に3 mm ステップの数を、取付け寸法1に"
     "その長さを示します。入力を変えると結果は消えます。"
     "0.00 は、計算した取付け寸法が 0 未満(センサ種類が配管に対して大きすぎる)こともあります。"
     "そのときは実行時のメッセージ、結果欄のヒント、要約と報告書に計算値と注意が出ます。</p>"
     "<p><b>記録:</b> メニューバーまたは右クリックのメニューから、要約のコピー(Ctrl+Shift+C)、"
     "縮尺図付きの報告書の PDF 保存(Ctrl+S)、印刷(Ctrl+P)ができます。"
     "「ジョブ情報...」で現場、測定点 (タグ)、施工者、備考を入れると、要約と報告書の先頭に"
     "入り、報告書のファイル名にタグが付きます(このウィンドウを閉じるまで残ります)。"
     "計算したジョブは ~/.local/share/quillmere/jobs.csv に1行ずつ追加され、"
     "「ファイル」→「最近のジョブ」で入力を戻せます。</p>"
     "<p><b>入力の補助:</b> "
     "同じメニューの「規格の配管...」は規格(JIS、ASME、塩ビ管、ダクタイル鋳鉄管、"
     "銅管)、呼び径、"
     "スケジュールから外径寸法と配管厚さを入力し、配管材質をその規格の材質にします"
     "(ASME B36.10M "
     "の寸法と配管音速の入力では選択を残します)。「温度から流体音速..."
     "」は水の温度から流体音速を入力します。</p>"
     "<p><b>言語と単位:</b> プログラムの横の Quillmere.ini の LANG_FLAG=1 で英語、"
     "UNIT_FLAG=1 でインチと ft/s になります。1回だけなら "
     "<tt>quillmere --lang en --units imperial</tt> のように起動します。</p>",
     "<h3>Sensor Spacing Calculation Tool</h3>"
     "<p>Type the pipe's OUTER DIAMETER and WALL THICKNESS, choose the pipe material, the "
     "lining, the kind of fluid, the mounting method (V or Z) and the sensor type, and press "
     "EXECUTE (or Enter in any input field).</p>"
     "<p><b>Required:</b> OUTER DIAMETER, WALL THICKNESS, the LINING THICKNESS when a lining "
     "is chosen, and a sound velocity wherever its list is on its last entry (PIPE S.V., "
     "LINING S.V., FLUID S.V.). A material or fluid chosen by name brings its velocity from "
     "the table, and its field is greyed. Empty required fields, and a wall and lining that "
     "leave no bore, are refused rather than computed.</p>"
     "<p><b>Results:</b> SENSOR SPACING1 is the axial distance between the two sensors' "
     "reference points, cut (not rounded) to 2 decimals in mm or 3 in inches. For "
     "VT-A1/VT-A2 and VT-B1/VT-B2, which mount in 3 mm steps, SENSOR SPACING2 is the number "
     "of whole 3 mm steps and SENSOR SPACING1 their length. Any change of an input empties "
     "the results. A spacing of 0.00 may be a computed spacing below 0 (a sensor type too "
     "large for the pipe): a message at the press, the result field's tip, the summary and "
     "the report then give the computed value and a note.</p>"
     "<p><b>Records:</b> the menu bar and the right-click menu copy a job summary "
     "(Ctrl+Shift+C), save a "
     "report with a to-scale sketch as PDF (Ctrl+S) and print it (Ctrl+P). \"Job "
     "details...\" names the site, the tag (measuring point), the installer and a note: they "
     "head the summary and the report, the tag names the PDF, and they stay until the window "
     "closes. Every job computed is added as a line to ~/.local/share/quillmere/jobs.csv; "
     "File > Recent jobs brings its inputs back.</p>"
     "<p><b>Helpers:</b> \"Standard pipe...\" in the same menu types the OUTER DIAMETER and "
     "WALL THICKNESS of a standard size (JIS, ASME, PVC, ductile iron, copper) and schedule "
     "and chooses the "
     "standard's PIPE MATERIAL (ASME B36.10M sizes and a typed PIPE S.V. keep the choice); \"Fluid "
     "at temperature...\" types "
     "the FLUID S.V. of water at its temperature.</p>"
     "<p><b>Language and units:</b> LANG_FLAG=1 in Quillmere.ini beside the program gives "
     "English, UNIT_FLAG=1 inches and ft/s. For one run: "
     "<tt>quillmere --lang en --units imperial</tt>.</p>"},
    {ReportText::AboutText,
     "<h3>Quillmere %1</h3><p>クランプオン超音波流量計のセンサ取付け寸法計算ツール</p>"
     "<p>ライセンス: 非公開。このツールを使う人のための利用と複製に限り、再配布はできません。</p>"
     "<p>設定ファイル: <tt>%2</tt></p>",
     "<h3>Quillmere %1</h3><p>Sensor spacing calculator for clamp-on ultrasonic "
     "flowmeters.</p><p>Licence: proprietary. It may be used and copied by the people it was "
     "built for; it may not be redistributed otherwise.</p><p>Configuration file: <tt>%2</tt></p>"},
    {ReportText::SaveFailed, "報告書を保存できませんでした: %1",
     "The report could not be saved: %1"},
    {ReportText::PdfFiles, "PDF ファイル (*.pdf)", "PDF files (*.pdf)"},
    {ReportText::FluidAtTemperature, "温度から流体音速...", "Fluid at temperature..."},
    {ReportText::Temperature, "温度", "Temperature"},
    {ReportText::NoTemperatureEquation, "温度から音速を求められるのは水、海水、蒸留水です。",
     "Only WATER, SEAWATER and DIST. WATER have a sound velocity by temperature."},
    {ReportText::TemperatureOutOfRange, "%1 の式は %2 の温度でだけ使えます。",
     "The %1 equation holds for %2 only."},
    {ReportText::TemperatureAndVelocity, "流体の温度と流体音速は同時に指定できません",
     "Give the fluid's temperature or its sound velocity, not both"},
    {ReportText::WebHelpText,
     "<h3>取付け寸法計算ツール</h3>"
     "<p>外径寸法と配管厚さを入力し、配管材質、ライニング材質、流体種類、センサ取付け法、"
     "センサ種類を選んで「実行」を押します(入力欄で Enter でも同じです)。</p>"
     "<p><b>必ず入力する値:</b> 外径寸法、配管厚さ、ライニングを選んだときのライニング厚さ、"
     "一覧の最後の項目(配管音速、ライニング音速、流体音速)を選んだときのその音速。"
     "名前で選んだ材質や流体は表の音速が使われ、入力欄は灰色になります。</p>"
     "<p><b>結果:</b> 取付け寸法1は2つのセンサの基準点の間の軸方向の距離です"
     "(小数2桁(mm)または3桁(inch)で切り捨て)。VT-A1/VT-A2 と VT-B1/VT-B2 では取付け寸法2に"
     "3 mm ステップの数を示します。入力を変えると結果は消えます。結果の下に縮尺図が出ます。</p>"
     "<p><b>入力の補助:</b>「規格の配管...」は規格・呼び径・スケジュールから外径寸法と"
     "配管厚さを入力し、配管材質を規格の材質にします。「温度から流体音速..."
     "」は水の温度から流体音速を入力します。"
     "「ジョブの要約をコピー」で結果と入力を文字でコピーでき、「印刷...」で要約と縮尺図を"
     "印刷または PDF に保存できます。"
     "「ジョブ情報」の現場、測定点 (タグ)、施工者、備考は要約の先頭に入ります。</p>"
     "<p><b>言語と単位</b>は上の2つの一覧で選び、このブラウザが覚えます。"
     "一度開いたページはネットワークがなくても使え、ホーム画面に追加できます。</p>",
     "<h3>Sensor Spacing Calculation Tool</h3>"
     "<p>Type the pipe's OUTER DIAMETER and WALL THICKNESS, choose the pipe material, the "
     "lining, the kind of fluid, the mounting method and the sensor type, and press EXECUTE "
     "(or Enter in a field).</p>"
     "<p><b>Required:</b> OUTER DIAMETER, WALL THICKNESS, the LINING THICKNESS when a lining "
     "is chosen, and a sound velocity wherever its list is on its last entry (PIPE S.V., "
     "LINING S.V., FLUID S.V.). A material or fluid chosen by name brings its velocity from "
     "the table, and its field is greyed.</p>"
     "<p><b>Results:</b> SENSOR SPACING1 is the axial distance between the two sensors' "
     "reference points, cut (not rounded) to 2 decimals in mm or 3 in inches; for "
     "VT-A1/VT-A2 and VT-B1/VT-B2 SENSOR SPACING2 counts the 3 mm steps. Any change of an "
     "input empties the results. A to-scale sketch follows the result.</p>"
     "<p><b>Helpers:</b> \"Standard pipe...\" types the diameter and wall of a standard size "
     "and schedule and chooses its material, \"Fluid at temperature...\" the FLUID S.V. of water "
     "at its temperature; "
     "\"Copy job summary\" copies the inputs and results as text, \"Print...\" prints them with "
     "the sketch (or saves them as PDF). The site, tag, installer and note under \"Job "
     "details\" head the summary.</p>"
     "<p><b>Language and units</b> are the two lists at the top; this browser remembers them. "
     "Once opened, the page works without a network and can be added to the home screen.</p>"},
    {ReportText::BelowZero,
     "注意: 計算した取付け寸法は %1 で 0 未満のため、0 と表示しています。この取付け寸法では"
     "ビームが相手のセンサに届きません。センサ種類か取付け法を変えてください。",
     "Note: the computed spacing is %1, below 0, and is shown as 0; at that spacing the beam "
     "does not reach the second sensor. Choose another sensor type or mounting method."},
    {ReportText::PrintFailed, "報告書を印刷できませんでした。", "The report could not be printed."},
    {ReportText::Copied, "コピーしました", "Copied"},
    {ReportText::CopyFailed,
     "クリップボードに入れられませんでした。下の文を選んでコピーしてください。",
     "The clipboard could not be reached: select the text below and copy it."},
    {PipeText::AOrB, "%1: 呼び径に A か B を付けてください (%2)",
     "%1: write the size with its A or B (%2)"},
    {PipeText::NoSize, "%1 の呼び径を指定してください: %2 から %3", "%1 needs a size: %2 to %3"},
    {PipeText::StandardPipe, "規格の配管...", "Standard pipe..."},
    {PipeText::Standard, "規格", "Standard"},
    {PipeText::Size, "呼び径", "Size"},
    {PipeText::Schedule, "スケジュール", "Schedule"},
    {PipeText::UnknownStandard, "配管の規格がわかりません: %1 (%2 のどれかで始めてください)",
     "Unknown pipe standard: %1 (start with one of %2)"},
    {PipeText::UnknownSize, "%1 に呼び径 %2 はありません。近い呼び径: %3",
     "%1 has no size %2; nearest: %3"},
    {PipeText::UnknownSchedule, "%1 にスケジュール %2 はありません。あるもの: %3",
     "%1 has no schedule %2; it has %3"},
    {PipeText::NoSchedule, "%1 のスケジュールを指定してください: %2", "%1 needs a schedule: %2"},
    {PipeText::SizeAndDimensions,
     "規格の配管は外径寸法と配管厚さを決めます。外径寸法や配管厚さと同時には指定できません",
     "A standard pipe size sets the outer diameter and the wall thickness; give one or the "
     "other, not both"},
    {PipeText::OneWall, "%1 の肉厚は1つだけです。スケジュールを付けずに指定してください",
     "%1 has one wall thickness only; give it without a schedule"},
};
static_assert(SortedAndUnique(Entries), "catalogue ids must be sorted and unique");
static_assert(Entries[0].id >= 4500 && Entries[std::size(Entries) - 1].id < 5000);

} // namespace

std::span<const Entry> ToolEntries() {
    return Entries;
}

} // namespace Catalogue::Detail
