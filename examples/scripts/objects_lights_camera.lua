-- Objects, lights and the camera driven from Lua: a ring of tori turning in
-- the light of three coloured lamps, seen by a camera that circles them.
-- Keys: Up and Down move the camera nearer and farther, Escape quits.
-- Run it from the top of the repository:  build/tesk examples/scripts/objects_lights_camera.lua
-- TESK_EXAMPLE_FRAMES=N stops it after N frames.

local frameLimit = tonumber(os.getenv("TESK_EXAMPLE_FRAMES"))

tk.Setup(1280, 720, 32, true)
tk.ColorBackdrop(tk.RGB(12, 18, 34))
tk.ColorAmbientLight(tk.RGBf(0.12, 0.12, 0.16))
tk.SetCameraRange(1, 2000)
tk.SetCameraFOV(70)

-- One mesh loaded, the others copies of it sharing the mesh.
local count = 8
tk.LoadObject("../objects/torus.obj", 1)
for id = 2, count do tk.CloneObject(id, 1) end
for id = 1, count do tk.ScaleObject(id, 60, 60, 60) end

-- The default light 0 is a white directional light; dim it and add lamps.
tk.SetLightIntensity(0, 0.3)
local lamps = { tk.RGB(255, 90, 60), tk.RGB(60, 200, 255), tk.RGB(255, 220, 90) }
for i, colour in ipairs(lamps) do
  tk.MakeLight(i)
  tk.SetPointLight(i, 0, 0, 0)
  tk.SetLightRange(i, 25)
  tk.ColorLight(i, colour)
  tk.SetLightIntensity(i, 0.8)
end

local distance = 70
local frames = 0
while tk.Run() and not tk.EscapeKey() do
  local t = tk.Timer() / 1000

  for id = 1, count do
    local a = (id - 1) / count * 2 * math.pi + t * 0.3
    tk.PositionObject(id, math.cos(a) * 25, math.sin(t + id) * 4, math.sin(a) * 25)
    tk.RotateObject(id, t * 40 + id * 45, t * 25, 0)
  end

  for i = 1, #lamps do
    local a = t * (0.6 + i * 0.2) + i * 2
    tk.PositionLight(i, math.cos(a) * 35, 10 * math.sin(t * i), math.sin(a) * 35)
  end

  if tk.UpKey() then distance = math.max(20, distance - 1) end
  if tk.DownKey() then distance = math.min(300, distance + 1) end

  -- The camera circles the ring and looks at its centre.
  local c = t * 0.2
  local x, y, z = math.sin(c) * distance, distance * 0.45, -math.cos(c) * distance
  tk.PositionCamera(x, y, z)
  local horizontal = math.sqrt(x * x + z * z)
  tk.RotateCamera(math.deg(math.atan2(y, horizontal)), math.deg(math.atan2(-x, -z)), 0)

  tk.Sync()
  frames = frames + 1
  if frameLimit and frames >= frameLimit then break end
end

tk.Term()
