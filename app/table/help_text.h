#pragma once

#include <string_view>

namespace vcurve::table {

inline constexpr std::string_view kHelpText =
    R"(用法：vcurve-table --type convex|concave --pvi 桩号 --tangent 米 --radius 米
                   --elevation 米 --g1 百分数 --g2 百分数
                   [--at 桩号]... [--from 桩号 --to 桩号 --step 米]
                   [--format lines|csv] [--summary]

逐桩计算竖曲线设计高程，每个桩号一行。序号到窗口程序的最后一个序号 32767 为止，
各行与窗口程序按“计 算”列出的结果逐字相同；此后窗口停在 32767，本程序继续计数。

曲线：
  --type convex|concave   凸曲线（convex）或凹曲线（concave）
  --pvi 桩号              变坡点（中点）桩号
  --tangent 米            切线长度
  --radius 米             曲线半径，须大于 0
  --elevation 米          变坡点（顶点）高程
  --g1 百分数             第一纵坡，只填大小，如 2.5；方向由 --type 决定
  --g2 百分数             第二纵坡，只填大小

桩号（两种可同时使用；都不给时列出整条曲线上每 20 m 的整桩，另加起点、终点和变坡点）：
  --at 桩号               一个待求点桩号，可多次给出
  --from 桩号 --to 桩号 --step 米
                          从 --from 到 --to 每隔 --step 一点；落在步长上的两端都列出

输出：
  --format lines|csv      lines（默认）：结果行，如“第1待求点高程5000=99.1”；
                          csv：表头和 n,station,chainage,elevation 各列
  --summary               在表前列出曲线要素：起终点、变坡点、外距、最高（低）点、
                          由半径和纵坡推算的切线长度
  --help                  显示本说明
  --version               显示版本

桩号可写成米数（5030、5030.25）或里程（K5+030、K5+030.25）。小数点一律写“.”。
桩号须在曲线起点和终点之间；按从小到大排列，相同的只列一次。

示例：
  vcurve-table --type convex --pvi K5+030 --tangent 60 --radius 3000 \
      --elevation 100 --g1 2.5 --g2 1.5 --from K5+000 --to K5+060 --step 20

退出状态：0 成功；1 有桩号无法计算（已在标准错误中说明，表中不列）或写出失败；
2 参数有误（此时不输出任何表格）。

整条纵断面：vcurve-table --profile 文件 [--name 名称] [桩号选项]
                   [--format lines|csv|xlsx] [--output 文件] [--summary]
                   [--speed 设计速度 --check [--code jtg|cjj37] [--class 等级]
                    [--icy] [--ridge-route]] [--find-elevation 高程]
                   [--sections 文件 [--edge-elevations]]
  --profile 文件          纵坡竖曲线表 CSV（每行：变坡点桩号,高程,竖曲线半径；
                          起终点半径留空；可有表头；UTF-8 或 GBK）或 LandXML 1.2
  --name 名称             LandXML 中有多条纵断面时，选用的那一条（列出的名称、
                          路线名或“路线名/纵断面名”）
  --at、--from/--to/--step 同上；都不给时列出每 20 m 的整桩及起终点、
                          各竖曲线起点、变坡点、终点
  断链                    CSV 中一行“断链,前桩号,后桩号”；桩号均为现场桩号，
                          长链重复段内的桩号须写明第几处，如 'K1+795(2)'
  --format xlsx           Excel 工作簿（逐桩高程表、纵坡竖曲线表、检查结果，可直接
                          打印），须与 --output 同用
  --output 文件           写入文件（写完后才替换同名文件）；CSV 文件带 BOM
  --summary               列出纵坡竖曲线表（坡度、坡长、凸/凹、T、L、E、起终点）
  --speed 120|100|80|60|50|40|30|20 --check
                          按设计规范检查，每条一行，错误在前；有错误时退出状态为 1
  --code jtg|cjj37        JTG D20—2017 公路（默认）或 CJJ 37—2012 城市道路
  --class 等级            高速公路、一级…四级公路（可写“二级”）；快速路、主干路、次干路、支路
  --icy                   积雪冰冻地区
  --ridge-route           越岭路线（二、三、四级公路查平均纵坡）
  --find-elevation 高程   列出设计高程等于此值的所有桩号
  --sections 文件         横断面与超高加宽表 CSV（行首“横断面”或“超高”）：改列路基设计表
                          （逐桩的路基宽度、各边缘与设计高程之差、横坡），--check 时
                          另查合成坡度
  --edge-elevations       路基设计表中列各边缘的高程，而不是高差
  给出 --summary、--check 或 --find-elevation 而不给桩号时，不列高程表。
  文件有误时指明行号和列号，退出状态为 2，不输出任何表格。

路线纵断面图：vcurve-table --profile 文件 --sheets 图.pdf|图.dxf [出图选项]
  --ground 文件           地面线 CSV（桩号,地面高程）；LandXML 可自带地面线
  --h-scale 2000 --v-scale 200   水平、垂直比例 1:n
  --paper A4|A3|A2|A1     图幅（横向），默认 A3
  --from、--to            出图范围，默认整条路线
  --overlap 20            相邻两页重叠的长度（m）
  --rows station,ground,design,fillcut,grade
                          资料表自下而上的栏目，可加 curve、geology、alignment、
                          superelevation，“:高度”给出栏高（mm）
  --titles-first-only     栏目名只写在第一页
  --geology 起点,终点,说明  地质概况栏的文字（可多次给出；要有 geology 栏）
  --project、--drawing-number、--date、--designer、--checker、--approver
                          图签：项目名称、图号、日期、设计、复核、审核
  DXF 为 AutoCAD 2007 格式（UTF-8），单位 mm，各页在同一文件中自左向右排列。
)";

}  // namespace vcurve::table
